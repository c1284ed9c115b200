#pragma once
// The directory of a disk image: the header (disk name, id, free blocks) and
// the file entries, read sector by sector along the directory's chain.
//
// Where the drives keep them:
//   D64, D71: header and BAM at track 18 sector 0, entries from 18/1;
//             a D71's second side has its free counts in 18/0 bytes $DD-$FF.
//   D81:      header at 40/0, BAM at 40/1 (tracks 1-40) and 40/2 (41-80),
//             entries from 40/3.
//   D80, D82: header at 39/0, BAM from 38/0 (a sector every 50 tracks:
//             38/0, 38/3, on a D82 also 38/6 and 38/9), entries from 39/1.
// Each directory sector holds eight entries of 32 bytes; its first two
// bytes link to the next directory sector (track 0: the last one).

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "cli/message.hpp"
#include "containers/disk/disk_image.hpp"
#include "containers/disk/sector_chain.hpp"
#include "containers/disk_name_pattern.hpp"
#include "containers/listed_entry.hpp"

namespace nuk::disk {

// A file's entry in a disk directory: its listed part and where it starts.
struct DirectoryEntry : ListedEntry {
    Location start{0, 0};        // the file's first sector
    Location sideSectors{0, 0};  // a REL file's first side sector (on a 1581 its super side sector)
};

// Reads the header and counts the free blocks as the drive does: the BAM's
// free count of every track but the directory track (and, on a D71, track 53,
// where the second side's BAM lives). A 35- or 40-track D64 counts tracks
// 1-35, as a 1541 knows no more; a D71 counts its second side only when the
// BAM marks the disk double-sided. A D80 or D82 counts every track but 39.
std::optional<cli::Msg> readHeader(DiskImage& image, const std::string& argument, DiskHeader& header);

// The entries in directory order. A chain that leaves the image, loops or
// cannot be read ends the walk with its message in failure().
class DirectoryReader final : public EntryReader {
public:
    DirectoryReader(DiskImage image, std::string argument);
    DirectoryReader(const DirectoryReader&) = delete;  // its chain reads its own image handle
    DirectoryReader& operator=(const DirectoryReader&) = delete;

    // The next entry whose type byte is not 0; nothing at the end of the
    // directory or after a failure.
    std::optional<DirectoryEntry> next();
    std::optional<ListedEntry> nextListed() override { return next(); }
    // The entry handed out last, and its file read along its chain.
    const DirectoryEntry& last() const { return last_; }
    std::unique_ptr<BlockSource> openLast() override;
    const std::optional<cli::Msg>& failure() const override { return chain_.failure(); }
    // Whether the walk ended by coming back to a directory sector.
    bool looped() const override { return chain_.looped(); }
    std::string placeOfHeader() const override;
    std::string placeOfLastEntry() const override;

private:
    bool loadNextSector();

    DiskImage image_;
    SectorChain chain_;  // reads image_
    Sector sector_{};
    std::size_t slot_;  // of the entry to read next in sector_
    DirectoryEntry last_;
};

}  // namespace nuk::disk
