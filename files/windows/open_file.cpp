// Opening a FILE for the dump by its long UTF-16 path, so that any name and
// any length can be read. The descriptor is in binary mode: the bytes arrive
// unchanged.

#include <fcntl.h>
#include <io.h>

#include <cerrno>

#include "files/descriptor_source.hpp"
#include "files/windows/long_path.hpp"

namespace nuk {

int openForReading(const std::string& path) {
    errno = 0;
    return _wopen(toLongPath(path).c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

}  // namespace nuk
