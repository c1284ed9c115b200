#pragma once
// One GCR track decoded into its sectors as a drive reads them: for each
// sector, the sync and header block that name it, the header's checksum,
// then after the next sync its data block and the data's checksum.
//
//   header block, 8 bytes: $08, checksum (sector ^ track ^ id2 ^ id1),
//                          sector, track, id2, id1, $0F, $0F
//   data block, 260 bytes: $07, the 256 bytes, checksum (XOR of them), $00, $00

#include <cstdint>
#include <vector>

#include "containers/disk/disk_image.hpp"
#include "containers/gcr/gcr_code.hpp"

namespace nuk::disk {

// The drive's errors as a disk image's error bytes keep them.
namespace driveErrorByte {
constexpr std::uint8_t none = 0x01;
constexpr std::uint8_t headerNotFound = 0x02;    // error 20
constexpr std::uint8_t noSync = 0x03;            // error 21
constexpr std::uint8_t dataBlockNotFound = 0x04; // error 22
constexpr std::uint8_t dataChecksum = 0x05;      // error 23
constexpr std::uint8_t byteDecoding = 0x06;      // error 24
constexpr std::uint8_t headerChecksum = 0x09;    // error 27
}  // namespace driveErrorByte

struct DecodedTrack {
    std::vector<Sector> sectors;              // where a sector could not be read: as far as it decoded, then zeros
    std::vector<std::uint8_t> errorBytes;     // one per sector: none, or what the drive reported
    std::vector<std::uint16_t> heldBytes;     // one per sector: how many of its bytes decoded, from the first
};

// The sectors 0 to sectors - 1 of the track numbered `track` whose bits
// these are. A track without bits, or without a sync, has none of them.
DecodedTrack decodeTrack(const TrackBits& bits, unsigned track, unsigned sectors);

}  // namespace nuk::disk
