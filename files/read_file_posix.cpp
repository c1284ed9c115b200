// Opening a file for the dump. A regular file is read through a file stream
// by position; a named pipe has no size and is read as it arrives, like
// standard input.

#include <cerrno>
#include <fstream>

#include <fcntl.h>
#include <unistd.h>

#include "files/descriptor_source.hpp"
#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "files/file_stream_source.hpp"
#include "files/file_types_posix.hpp"

namespace nuk {

namespace {

cli::Msg openFailed(const std::string& path, int errorNumber) {
    return pathMessageWithCode(path, "': unknown error while opening for read: ", errorNumber);
}

std::optional<cli::Msg> openPipe(const std::string& path, file_t& file) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return openFailed(path, errno);
    const auto readFailed = [path](int errorNumber) {
        return pathMessageWithCode(path, "': unknown error during read: ", errorNumber);
    };
    if (auto problem = openDescriptor(descriptor, true, readFailed, file.source)) return problem;
    file.directory = dirName(path);
    file.name = baseName(path);
    return std::nullopt;
}

}  // namespace

std::optional<cli::Msg> readFile(const std::string& path, file_t& file) {
    if (isPipe(path)) return openPipe(path, file);
    errno = 0;
    std::ifstream stream(path, std::ios::in | std::ios::binary | std::ios::ate);
    if (!stream) return openFailed(path, errno);
    return openFileStream(std::move(stream), path, file);
}

}  // namespace nuk
