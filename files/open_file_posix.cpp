// Opening a FILE for the dump.

#include <cerrno>

#include <fcntl.h>

#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "files/file_source.hpp"

namespace nuk {

std::optional<cli::Msg> openFile(const std::string& path, file_t& file) {
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return openFailed(path, errno);
    return openFileOn(descriptor, path, file);
}

}  // namespace nuk
