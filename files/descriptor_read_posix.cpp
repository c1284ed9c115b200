// Reading a descriptor to its end.

#include "files/descriptor_read_posix.hpp"

#include <cerrno>
#include <memory>
#include <new>

#include <unistd.h>

namespace nuk {

DescriptorRead readToEnd(int descriptor, Bytes& data) {
    try {
        if (data.capacity() < chunkSize) data.reserve(chunkSize);
    } catch (const std::bad_alloc&) {
        return {ReadOutcome::tooLarge, 0};
    }
    const std::unique_ptr<std::uint8_t[]> chunk(new std::uint8_t[chunkSize]);
    for (;;) {
        const ssize_t n = ::read(descriptor, chunk.get(), chunkSize);
        if (n == 0) break;
        if (n < 0) {
            if (errno == EINTR) continue;
            return {ReadOutcome::failed, errno};
        }
        if (!appendChunk(data, chunk.get(), static_cast<std::size_t>(n))) return {ReadOutcome::tooLarge, 0};
    }
    trimToSize(data);
    return {};
}

}  // namespace nuk
