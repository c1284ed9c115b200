// Reading, seeking and sizing a runtime descriptor on Windows. One read
// takes at most INT_MAX bytes, the most the runtime's count can say, far
// more than a block.

#include <io.h>
#include <sys/stat.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "files/descriptor_source.hpp"

namespace nuk {

long readDescriptor(int descriptor, std::uint8_t* into, std::size_t n) {
    return _read(descriptor, into, static_cast<unsigned>(std::min<std::size_t>(n, INT_MAX)));
}

void closeDescriptor(int descriptor) { _close(descriptor); }

// A size of 0 promises nothing: an empty file reads the same as a stream
// that ends at once.
std::optional<std::uint64_t> storedSize(int descriptor) {
    struct _stat64 info;
    if (_fstat64(descriptor, &info) != 0 || (info.st_mode & _S_IFMT) != _S_IFREG || info.st_size <= 0)
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::uint64_t> descriptorOffset(int descriptor) {
    const long long offset = _lseeki64(descriptor, 0, SEEK_CUR);
    if (offset < 0) return std::nullopt;
    return static_cast<std::uint64_t>(offset);
}

bool seekDescriptor(int descriptor, std::uint64_t offset) {
    return _lseeki64(descriptor, static_cast<long long>(offset), SEEK_SET) >= 0;
}

}  // namespace nuk
