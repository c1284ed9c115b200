// Finding the syncs of a GCR track and decoding the blocks after them.

#include "containers/gcr/gcr_code.hpp"

namespace nuk::disk {

namespace {

constexpr unsigned shortestSync = 10;
constexpr std::uint8_t noCode = 0xFF;

// The 4 data bits each 5-bit code stands for; the 16 other values are no code.
constexpr std::uint8_t dataOfCode[32] = {
    noCode, noCode, noCode, noCode, noCode, noCode, noCode, noCode,  // 00000-00111
    noCode, 0x8,    0x0,    0x1,    noCode, 0xC,    0x4,    0x5,     // 01000-01111
    noCode, noCode, 0x2,    0x3,    noCode, 0xF,    0x6,    0x7,     // 10000-10111
    noCode, 0x9,    0xA,    0xB,    noCode, 0xD,    0xE,    noCode,  // 11000-11111
};

}  // namespace

// The count starts at a 0 bit, so a sync that goes on over the place where
// the track's bytes end and begin again is counted whole, once.
std::vector<std::size_t> TrackBits::blockStarts() const {
    std::vector<std::size_t> starts;
    std::size_t zero = 0;
    while (zero < length() && bit(zero) != 0) ++zero;
    if (zero == length()) return starts;  // no bits, or nothing but sync
    unsigned ones = 0;
    for (std::size_t step = 1; step <= length(); ++step) {
        const std::size_t position = (zero + step) % length();
        if (bit(position) == 1) {
            ++ones;
            continue;
        }
        if (ones >= shortestSync) starts.push_back(position);
        ones = 0;
    }
    return starts;
}

bool TrackBits::decode(std::size_t from, std::uint8_t* into, std::size_t n) const {
    bool allCodes = true;
    std::size_t position = from;
    for (std::size_t i = 0; i < 2 * n; ++i) {
        unsigned code = 0;
        for (unsigned b = 0; b < 5; ++b) code = code << 1 | bit(position++);
        std::uint8_t nibble = dataOfCode[code];
        if (nibble == noCode) {
            allCodes = false;
            nibble = 0;
        }
        into[i / 2] = static_cast<std::uint8_t>(i % 2 == 0 ? nibble << 4 : into[i / 2] | nibble);
    }
    return allCodes;
}

std::size_t TrackBits::codedBytes(std::size_t from, std::size_t n) const {
    for (std::size_t i = 0; i < 2 * n; ++i) {
        unsigned code = 0;
        for (unsigned b = 0; b < 5; ++b) code = code << 1 | bit(from + 5 * i + b);
        if (dataOfCode[code] == noCode) return i / 2;
    }
    return n;
}

}  // namespace nuk::disk
