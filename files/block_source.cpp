// Reading a source in the sizes its users need, and passing over bytes of
// an input that can only be read in order.

#include "files/block_source.hpp"

#include <algorithm>
#include <vector>

namespace nuk {

std::size_t readUpTo(BlockSource& source, std::uint8_t* into, std::size_t n) {
    std::size_t done = 0;
    while (done < n) {
        const std::size_t got = source.read(into + done, n - done);
        if (got == 0) break;
        done += got;
    }
    return done;
}

std::size_t BlockSource::read(std::uint8_t* into, std::size_t n) {
    if (ended_ || n == 0) return 0;
    const std::size_t got = std::min(readBytes(into, n), n);
    ended_ = got == 0;
    return got;
}

std::uint64_t BlockSource::skip(std::uint64_t n) {
    if (ended_ || n == 0) return 0;
    const std::uint64_t passed = std::min(skipBytes(n), n);
    ended_ = passed < n;
    return passed;
}

// Block by block into one buffer, until a block comes short.
std::uint64_t BlockSource::skipBytes(std::uint64_t n) {
    std::vector<std::uint8_t> dropped(static_cast<std::size_t>(std::min<std::uint64_t>(n, blockSize)));
    std::uint64_t done = 0;
    while (done < n) {
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(n - done, dropped.size()));
        const std::size_t got = readUpTo(*this, dropped.data(), wanted);
        done += got;
        if (got < wanted) break;
    }
    return done;
}

}  // namespace nuk
