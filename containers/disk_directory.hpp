#pragma once
// The directory of a disk image: the header (disk name, id, free blocks) and
// the file entries, read sector by sector along the directory's chain.
//
// Where the drives keep them:
//   D64, D71: header and BAM at track 18 sector 0, entries from 18/1;
//             a D71's second side has its free counts in 18/0 bytes $DD-$FF.
//   D81:      header at 40/0, BAM at 40/1 (tracks 1-40) and 40/2 (41-80),
//             entries from 40/3.
// Each directory sector holds eight entries of 32 bytes; its first two
// bytes link to the next directory sector (track 0: the last one).

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/message.hpp"
#include "containers/disk_image.hpp"
#include "containers/disk_name_pattern.hpp"
#include "containers/sector_chain.hpp"

namespace nuk::disk {

struct DirectoryEntry {
    // Bits 0-3 the file type (0 DEL, 1 SEQ, 2 PRG, 3 USR, 4 REL, 5 CBM),
    // bit 6 locked, bit 7 closed. A type byte of 0 marks a free or
    // scratched slot, which is never handed out.
    std::uint8_t type = 0;
    Location start{0, 0};  // the file's first sector
    DiskName name{};
    std::uint16_t blocks = 0;  // as the entry states it

    std::uint8_t fileType() const { return type & 0x0F; }
    bool closed() const { return (type & 0x80) != 0; }
    bool locked() const { return (type & 0x40) != 0; }
};

struct DiskHeader {
    DiskName name{};
    std::array<std::uint8_t, 5> idAndDosType{};  // the id, a padding byte and the DOS type, e.g. "00",$A0,"2A"
    unsigned freeBlocks = 0;
};

// Reads the header and counts the free blocks as the drive does: the BAM's
// free count of every track but the directory track (and, on a D71, track 53,
// where the second side's BAM lives). A 35- or 40-track D64 counts tracks
// 1-35, as a 1541 knows no more; a D71 counts its second side only when the
// BAM marks the disk double-sided.
std::optional<cli::Msg> readHeader(DiskImage& image, const std::string& argument, DiskHeader& header);

// The entries in directory order. A chain that leaves the image, loops or
// cannot be read ends the walk with its message in failure().
class DirectoryReader {
public:
    DirectoryReader(DiskImage& image, std::string argument);

    // The next entry whose type byte is not 0; nothing at the end of the
    // directory or after a failure.
    std::optional<DirectoryEntry> next();
    const std::optional<cli::Msg>& failure() const { return chain_.failure(); }
    // Whether the walk ended by coming back to a directory sector.
    bool looped() const { return chain_.looped(); }

private:
    bool loadNextSector();

    SectorChain chain_;
    Sector sector_{};
    std::size_t slot_;  // of the entry to read next in sector_
};

}  // namespace nuk::disk
