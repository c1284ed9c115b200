// Checking a path before reading it: it exists and may be read.

#include <cerrno>

#include <unistd.h>

#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "files/path_errors_posix.hpp"

namespace nuk {

cli::Msg pathErrorMessage(const std::string& path, int errorNumber) {
    switch (errorNumber) {
    case ENOENT: return pathMessage(path, "': no such file or directory");
    case EACCES: return pathMessage(path, "': permission denied");
    default: return pathMessageWithCode(path, "': unknown error: ", errorNumber);
    }
}

std::optional<cli::Msg> checkPathExistsReadable(const std::string& path) {
    if (::access(path.c_str(), R_OK) == 0) return std::nullopt;
    return pathErrorMessage(path, errno);
}

}  // namespace nuk
