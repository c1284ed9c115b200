// A FILE's source: a regular file is read no further than the size it had
// when it was opened; a named pipe, and a file whose size says nothing about
// its content (those of pseudo file systems), are read to their end.

#include "files/file_source.hpp"

#include <cerrno>

#include "files/descriptor_source.hpp"
#include "files/file_messages.hpp"

namespace nuk {

std::optional<cli::Msg> openFileOn(int descriptor, const std::string& path, file_t& file) {
    const auto onFailure = [path](int errorNumber) { return readFailed(path, errorNumber); };
    if (const std::optional<std::uint64_t> size = storedSize(descriptor)) {
        openSizedFile(descriptor, *size, onFailure, pathMessage(path, "': unexpected size of data read"), file.source);
    } else if (auto problem = openStream(descriptor, Ownership::owned, onFailure, ReadAhead::nothing, file.source)) {
        return problem;
    }
    file.directory = dirName(path);
    file.name = baseName(path);
    return std::nullopt;
}

std::optional<cli::Msg> openFile(const std::string& path, file_t& file) {
    const int descriptor = openForReading(path);
    if (descriptor < 0) return openFailed(path, errno);
    return openFileOn(descriptor, path, file);
}

}  // namespace nuk
