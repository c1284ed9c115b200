#pragma once
// Numbers as the formats store them, and the check their blocks carry:
// little-endian, the machine's own order (every format but one);
// big-endian, a cartridge image's; and the XOR of a block's bytes, with
// which the drives and the tape loader check what they read.

#include <cstddef>
#include <cstdint>

namespace nuk {

// The n bytes (at most 4) as a little-endian number.
inline std::uint32_t littleEndian(const std::uint8_t* bytes, std::size_t n) {
    std::uint32_t value = 0;
    for (std::size_t i = n; i > 0; --i) value = value << 8 | bytes[i - 1];
    return value;
}

inline std::uint16_t littleEndian16(const std::uint8_t* bytes) {
    return static_cast<std::uint16_t>(littleEndian(bytes, 2));
}

// The n bytes (at most 8) as a big-endian number.
inline std::uint64_t bigEndian(const std::uint8_t* bytes, std::size_t n) {
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < n; ++i) value = value << 8 | bytes[i];
    return value;
}

inline std::uint16_t bigEndian16(const std::uint8_t* bytes) { return static_cast<std::uint16_t>(bigEndian(bytes, 2)); }

inline std::uint8_t xorOf(const std::uint8_t* bytes, std::size_t n) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum ^= bytes[i];
    return sum;
}

}  // namespace nuk
