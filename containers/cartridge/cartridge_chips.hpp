#pragma once
// A cartridge image (.crt): a header, then the cartridge's ROM and RAM chips
// one CHIP packet after the other. All numbers in it are big-endian.
//
//   header   $00 signature (16): "C64 CARTRIDGE   ", "C128 CARTRIDGE  ",
//                "VIC20 CARTRIDGE ", "PLUS4 CARTRIDGE " or "CBM2 CARTRIDGE  "
//            $10 header length (4), $14 version (2), $16 hardware type (2),
//            $18 EXROM and $19 GAME line (1 each), $20 name (32, $00 padded)
//   packet   $00 "CHIP", $04 packet length with this 16-byte head (4),
//            $08 chip type (2: ROM, RAM, flash), $0A bank (2),
//            $0C load address (2), $0E data size (2), $10 the data
//
// The first packet follows the header at its stated length, but never
// inside the 64 bytes of the fields above; each next packet follows at its
// predecessor's packet length.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "cli/message.hpp"
#include "containers/image_file.hpp"
#include "containers/listed_entry.hpp"

namespace nuk::cartridge {

struct CartridgeHeader {
    std::array<std::uint8_t, 32> name{};
    std::uint16_t hardwareType = 0;
    std::uint64_t firstPacket = 0;  // its offset in the file
};

// The header of a cartridge image; nothing when the file has none of the
// signatures or is too short for the header's fields.
std::optional<CartridgeHeader> readCartridgeHeader(disk::ImageFile& file);

struct Chip {
    std::uint64_t packet = 0;  // the offset of its packet in the file
    std::uint16_t bank = 0;
    std::uint16_t loadAddress = 0;
    std::uint16_t dataSize = 0;

    std::uint64_t dataOffset() const { return packet + 16; }
};

// The listing's header line: the first 16 characters of the cartridge's
// name, and its hardware type in decimal where a disk has its id.
disk::DiskHeader listingHeader(const CartridgeHeader& header);

// A chip as the listing shows it and as a name selects it: a PRG of the
// blocks its data and load address fill, named by its bank in decimal; after
// the name's padding its load address and data size, four hex digits each.
disk::ListedEntry listedChip(const Chip& chip);

// The chips in file order, up to the end of the file or to bytes after a
// packet that are no CHIP packet. A first packet that is not there, a packet
// whose length leaves no room for its data, or one that the file cuts short
// ends the walk with its message in failure(); a cut packet is handed out
// first.
class ChipReader final : public disk::EntryReader {
public:
    ChipReader(std::shared_ptr<disk::ImageFile> file, std::uint64_t firstPacket, std::string argument);

    std::optional<Chip> next();
    std::optional<disk::ListedEntry> nextListed() override;
    const std::optional<cli::Msg>& failure() const override { return failure_; }
    // The chip delivered as a PRG is: its load address (little-endian),
    // then its data.
    std::unique_ptr<BlockSource> openLast() override;

private:
    std::optional<cli::Msg> checkPosition() const;
    bool chipsEndHere() const;

    const std::shared_ptr<disk::ImageFile> file_;
    const std::string argument_;
    std::uint64_t position_;                 // of the next packet's head
    std::optional<std::uint64_t> previous_;  // the packet handed out last
    Chip last_;
    bool ended_ = false;
    std::optional<cli::Msg> failure_;
};

}  // namespace nuk::cartridge
