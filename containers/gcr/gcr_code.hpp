#pragma once
// The bit stream of a GCR track and its code. A 1541 or 1571 writes each
// 4 data bits as 5 bits on the disk, chosen so that no more than two 0 bits
// and no more than eight 1 bits ever follow each other; a run of ten or more
// 1 bits is therefore no data but a sync, which the drive watches for to
// find where a block begins. A track has no start: its bits go round.

#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace nuk::disk {

class TrackBits {
public:
    explicit TrackBits(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::size_t length() const { return bytes_.size() * 8; }
    // The bit at a position counted round the track; the track must hold bits.
    unsigned bit(std::size_t position) const {
        position %= length();
        return bytes_[position / 8] >> (7 - position % 8) & 1u;
    }

    // Where the blocks begin: the first bit after each sync, in the order
    // they pass the head.
    std::vector<std::size_t> blockStarts() const;

    // Decodes n bytes from the bits at `from` on, ten bits a byte; false
    // when any five of them are no code (what was decoded is still there).
    bool decode(std::size_t from, std::uint8_t* into, std::size_t n) const;

    // How many of the n bytes from `from` on are coded whole, from the
    // first: n unless some five of their bits are no code.
    std::size_t codedBytes(std::size_t from, std::size_t n) const;

    // The bytes that hold the bits, as the image stores them.
    const std::vector<std::uint8_t>& bytes() const { return bytes_; }

private:
    std::vector<std::uint8_t> bytes_;
};

}  // namespace nuk::disk
