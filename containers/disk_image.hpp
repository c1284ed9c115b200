#pragma once
// A Commodore disk image: its kind, told by the file's size, the tracks and
// sectors of that kind, and sectors read one at a time by track and sector.
//
//   kind  drive  tracks         sectors per track              image bytes (with error bytes)
//   D64   1541   35 (or 40)     21 / 19 / 18 / 17 by zone      174848 (175531), 196608 (197376)
//   D71   1571   70 (two sides) as D64, side 2 from track 36   349696 (351062)
//   D81   1581   80             40                             819200 (822400)
//   D80   8050   77             29 / 27 / 25 / 23 by zone      533248 (535331)
//   D82   8250   154 (two sides) as D80, side 2 from track 78  1066496 (1070662)
//
// Some images carry an error byte per sector after the last one: what the
// drive reported when that sector was read for the image.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>

#include "containers/image_file.hpp"

namespace nuk::disk {

enum class Kind { d64, d71, d81, d80, d82 };

struct Layout {
    Kind kind;
    unsigned tracks;
    bool errorBytes;  // one per sector after the last sector
};

// The layout of an image file of this size; nothing for any other size.
std::optional<Layout> layoutForSize(std::uint64_t size);

struct Location {
    unsigned track;   // from 1
    unsigned sector;  // from 0
};

using Sector = std::array<std::uint8_t, 256>;

// A handle on the image: copies share the open file, so the listing and the
// files read from one image each go their own way through it.
class DiskImage {
public:
    DiskImage(Layout layout, std::shared_ptr<ImageFile> file);

    Kind kind() const { return layout_.kind; }
    unsigned sectorsOnTrack(unsigned track) const;  // 0 for a track the disk does not have
    bool holds(Location where) const;
    std::uint32_t sectorCount() const { return sectorCount_; }

    // The sector's place in the image, from 0; for a location it holds.
    std::uint32_t indexOf(Location where) const;

    // Reads the sector at a location the disk holds; false when the file
    // cannot be read there (errno says why).
    bool read(Location where, Sector& into);

    // The error byte the image keeps for the sector: 0 where it keeps none
    // and where it cannot be read (the sector read itself then tells).
    std::uint8_t errorByte(Location where);

private:

    Layout layout_;
    std::shared_ptr<ImageFile> file_;
    std::uint32_t sectorCount_;
};

}  // namespace nuk::disk
