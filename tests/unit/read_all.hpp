#pragma once
// A test helper of every platform: all a source still holds.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "files/block_source.hpp"

namespace scratch {

// Read in pieces of at most `piece` bytes, until one comes short.
inline std::vector<std::uint8_t> readAll(nuk::BlockSource& source, std::size_t piece = nuk::blockSize) {
    std::vector<std::uint8_t> bytes;
    for (std::size_t got = piece; got == piece;) {
        const std::size_t before = bytes.size();
        bytes.resize(before + piece);
        got = nuk::readUpTo(source, bytes.data() + before, piece);
        bytes.resize(before + got);
    }
    return bytes;
}

}  // namespace scratch
