// Opening a FILE for the dump.

#include <cerrno>

#include <fcntl.h>

#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "files/file_source.hpp"

namespace nuk {

int openForReading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }

std::optional<cli::Msg> openFile(const std::string& path, file_t& file) {
    const int descriptor = openForReading(path);
    if (descriptor < 0) return openFailed(path, errno);
    return openFileOn(descriptor, path, file);
}

}  // namespace nuk
