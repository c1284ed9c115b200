// Decoding a GCR track's header and data blocks into its sectors.

#include "containers/gcr/gcr_track.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

#include "containers/stored_numbers.hpp"

namespace nuk::disk {

namespace {

constexpr std::uint8_t headerMark = 0x08;
constexpr std::uint8_t dataMark = 0x07;
constexpr std::size_t headerBytes = 8;
constexpr std::size_t dataBytes = 260;

// What reading the data block that begins at `start` gives: its sector's
// bytes, or the error that keeps them from the drive. The mark is decoded
// first: on a track full of headers the block after a header is mostly
// another header, and decoding a whole data block there would make the
// track cost its headers times a data block.
std::uint8_t readDataBlock(const TrackBits& bits, std::size_t start, Sector& into) {
    std::array<std::uint8_t, dataBytes> block{};
    const bool markCoded = bits.decode(start, block.data(), 1);
    if (block[0] != dataMark) return driveErrorByte::dataBlockNotFound;
    constexpr std::size_t bitsOfByte = 10;
    const bool allCodes = bits.decode(start + bitsOfByte, block.data() + 1, block.size() - 1) && markCoded;
    if (!allCodes) return driveErrorByte::byteDecoding;
    if (xorOf(block.data() + 1, into.size()) != block[1 + into.size()]) return driveErrorByte::dataChecksum;
    std::copy_n(block.begin() + 1, into.size(), into.begin());
    return driveErrorByte::none;
}

// A later reading of a sector replaces an earlier one only when it gets
// further: a sound sector stays, and an error found beats "not found".
bool better(std::uint8_t found, std::uint8_t before) {
    return before != driveErrorByte::none && (found == driveErrorByte::none || before == driveErrorByte::headerNotFound);
}

// What a drive could not deliver, shown as far as it decodes: the bytes of
// the data block that begins at `start` up to the first bits that are no
// code. Returns how many; none where the block is no data block.
std::size_t readAsFarAsCoded(const TrackBits& bits, std::size_t start, Sector& into) {
    std::array<std::uint8_t, dataBytes> block{};
    bits.decode(start, block.data(), block.size());
    const std::size_t coded = bits.codedBytes(start, 1 + into.size());
    if (coded == 0 || block[0] != dataMark) return 0;
    std::copy_n(block.begin() + 1, coded - 1, into.begin());
    return coded - 1;
}

}  // namespace

DecodedTrack decodeTrack(const TrackBits& bits, unsigned track, unsigned sectors) {
    DecodedTrack decoded{std::vector<Sector>(sectors), std::vector<std::uint8_t>(sectors, driveErrorByte::noSync),
                         std::vector<std::uint16_t>(sectors, 0)};
    const std::vector<std::size_t> starts = bits.length() == 0 ? std::vector<std::size_t>{} : bits.blockStarts();
    if (starts.empty()) return decoded;
    std::fill(decoded.errorBytes.begin(), decoded.errorBytes.end(), driveErrorByte::headerNotFound);
    for (std::size_t i = 0; i < starts.size(); ++i) {
        std::array<std::uint8_t, headerBytes> header{};
        if (!bits.decode(starts[i], header.data(), header.size()) || header[0] != headerMark) continue;
        const unsigned sector = header[2];
        if (header[3] != track || sector >= sectors) continue;
        std::uint8_t found = driveErrorByte::headerChecksum;
        Sector data{};
        if (xorOf(header.data() + 2, 4) == header[1]) {
            // The data block is the one after the next sync, wherever the track goes on.
            found = starts.size() == 1 ? driveErrorByte::dataBlockNotFound
                                       : readDataBlock(bits, starts[(i + 1) % starts.size()], data);
        }
        if (!better(found, decoded.errorBytes[sector])) continue;
        decoded.errorBytes[sector] = found;
        decoded.sectors[sector] = data;
        // Behind a header whose checksum is wrong too.
        const std::size_t next = starts[(i + 1) % starts.size()];
        decoded.heldBytes[sector] = static_cast<std::uint16_t>(
            found == driveErrorByte::none ? sizeof(Sector)
            : starts.size() == 1          ? 0
                                          : readAsFarAsCoded(bits, next, decoded.sectors[sector]));
    }
    return decoded;
}

}  // namespace nuk::disk
