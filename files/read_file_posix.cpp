// Reading a whole file into memory. A regular file is read with one read of
// its known size; a pipe has no size and is read to its end in chunks.

#include <cerrno>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

#include "files/descriptor_read_posix.hpp"
#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "files/file_types_posix.hpp"
#include "files/whole_stream.hpp"

namespace nuk {

namespace {

cli::Msg openFailed(const std::string& path, int errorNumber) {
    return pathMessageWithCode(path, "': unknown error while opening for read: ", errorNumber);
}

std::optional<cli::Msg> readPipe(const std::string& path, file_t& file) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return openFailed(path, errno);
    const DescriptorRead result = readToEnd(descriptor, file.data);
    ::close(descriptor);
    switch (result.outcome) {
    case ReadOutcome::failed:
        return pathMessageWithCode(path, "': unknown error during read: ", result.error);
    case ReadOutcome::tooLarge: return tooLargeMessage(path);
    case ReadOutcome::complete: break;
    }
    file.directory = dirName(path);
    file.name = baseName(path);
    return std::nullopt;
}

}  // namespace

std::optional<cli::Msg> readFile(const std::string& path, file_t& file) {
    if (isPipe(path)) return readPipe(path, file);
    errno = 0;
    std::ifstream stream(path, std::ios::in | std::ios::binary | std::ios::ate);
    if (!stream) return openFailed(path, errno);
    return readWholeStream(stream, path, file);
}

}  // namespace nuk
