// Opening a FILE for the dump by its long UTF-16 path, so that any name and
// any length can be read. The descriptor is in binary mode: the bytes arrive
// unchanged.

#include <fcntl.h>
#include <io.h>

#include <cerrno>

#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "files/file_source.hpp"
#include "files/windows/long_path.hpp"

namespace nuk {

int openForReading(const std::string& path) {
    errno = 0;
    return _wopen(toLongPath(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

std::optional<cli::Msg> openFile(const std::string& path, file_t& file) {
    const int descriptor = openForReading(path);
    if (descriptor < 0) return openFailed(path, errno);
    return openFileOn(descriptor, path, file);
}

}  // namespace nuk
