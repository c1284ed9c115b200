// A FILE must be a path that exists, may be read, and is no directory;
// what exists and may be read is the platform's to say.

#include "files/file.hpp"
#include "files/file_messages.hpp"

namespace nuk {

std::optional<cli::Msg> checkFileExistsReadable(const std::string& path) {
    if (auto problem = checkPathExistsReadable(path)) return problem;
    if (isDirectory(path)) return pathMessage(path, "': is a directory");
    return std::nullopt;
}

}  // namespace nuk
