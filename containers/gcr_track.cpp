// Decoding a GCR track's header and data blocks into its sectors.

#include "containers/gcr_track.hpp"

#include <algorithm>
#include <array>
#include <cstddef>

namespace nuk::disk {

namespace {

constexpr std::uint8_t headerMark = 0x08;
constexpr std::uint8_t dataMark = 0x07;
constexpr std::size_t headerBytes = 8;
constexpr std::size_t dataBytes = 260;

std::uint8_t xorOf(const std::uint8_t* bytes, std::size_t n) {
    std::uint8_t sum = 0;
    for (std::size_t i = 0; i < n; ++i) sum ^= bytes[i];
    return sum;
}

// What reading the data block that begins at `start` gives: its sector's
// bytes, as far as they decode, and the error that keeps them from the drive.
struct DataReading {
    std::uint8_t errorByte;
    std::size_t heldBytes;
};

DataReading readDataBlock(const TrackBits& bits, std::size_t start, Sector& into) {
    std::array<std::uint8_t, dataBytes> block{};
    const std::size_t whole = bits.decode(start, block.data(), block.size());
    if (whole == 0 || block[0] != dataMark) return {driveErrorByte::dataBlockNotFound, 0};
    std::copy_n(block.begin() + 1, into.size(), into.begin());
    const std::size_t held = std::min(whole - 1, into.size());
    if (whole < block.size()) return {driveErrorByte::byteDecoding, held};
    if (xorOf(block.data() + 1, into.size()) != block[1 + into.size()]) return {driveErrorByte::dataChecksum, held};
    return {driveErrorByte::none, held};
}

// A later reading of a sector replaces an earlier one only when it gets
// further: a sound sector stays, and an error found beats "not found".
bool better(std::uint8_t found, std::uint8_t before) {
    return before != driveErrorByte::none && (found == driveErrorByte::none || before == driveErrorByte::headerNotFound);
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
        if (bits.decode(starts[i], header.data(), header.size()) < header.size() || header[0] != headerMark)
            continue;
        const unsigned sector = header[2];
        if (header[3] != track || sector >= sectors) continue;
        // The data block is the one after the next sync, wherever the track
        // goes on. A drive reads none behind a header whose checksum is
        // wrong; its bytes are still shown as far as they decode.
        Sector data{};
        DataReading found{driveErrorByte::dataBlockNotFound, 0};
        if (starts.size() > 1) found = readDataBlock(bits, starts[(i + 1) % starts.size()], data);
        if (xorOf(header.data() + 2, 4) != header[1]) found.errorByte = driveErrorByte::headerChecksum;
        if (!better(found.errorByte, decoded.errorBytes[sector])) continue;
        decoded.errorBytes[sector] = found.errorByte;
        decoded.sectors[sector] = data;
        decoded.heldBytes[sector] = static_cast<std::uint16_t>(found.heldBytes);
    }
    return decoded;
}

}  // namespace nuk::disk
