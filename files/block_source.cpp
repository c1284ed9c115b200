// Passing over bytes of an input that can only be read in order.

#include "files/block_source.hpp"

#include <algorithm>
#include <vector>

namespace nuk {

std::uint64_t BlockSource::skip(std::uint64_t n) {
    std::vector<std::uint8_t> dropped(static_cast<std::size_t>(std::min<std::uint64_t>(n, blockSize)));
    std::uint64_t done = 0;
    while (done < n) {
        const std::size_t got = read(dropped.data(), static_cast<std::size_t>(std::min<std::uint64_t>(n - done, dropped.size())));
        if (got == 0) break;
        done += got;
    }
    return done;
}

}  // namespace nuk
