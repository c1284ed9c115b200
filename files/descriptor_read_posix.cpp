// Reading a descriptor on Linux.

#include <cerrno>

#include <unistd.h>

#include "files/descriptor_source.hpp"

namespace nuk {

long readDescriptor(int descriptor, std::uint8_t* into, std::size_t n) {
    for (;;) {
        const ssize_t got = ::read(descriptor, into, n);
        if (got >= 0 || errno != EINTR) return static_cast<long>(got);
    }
}

void closeDescriptor(int descriptor) { ::close(descriptor); }

}  // namespace nuk
