#pragma once
// A Commodore disk image: its kind, told by the file's size, the tracks and
// sectors of that kind, and sectors read one at a time by track and sector.
// Where a sector's bytes come from is the image's SectorSource: a sector
// image reads them from the file at the sector's offset, a GCR image decodes
// them from the bit stream of their track.
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
#include <string>
#include <vector>

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

// The selector of one sector: "@18/1".
std::string placeName(Location where);

using Sector = std::array<std::uint8_t, 256>;

// The sectors of an image, each asked for by its location and by its place
// in the image (from 0); the image asks only for locations it holds.
class SectorSource {
public:
    virtual ~SectorSource() = default;
    // Reads the sector; false when the file cannot be read there (errno
    // says why).
    virtual bool read(Location where, std::uint32_t index, Sector& into) = 0;
    // What the drive reported for the sector, as an image's error byte
    // does: 0 or 1 when it was read without fault.
    virtual std::uint8_t errorByte(Location where, std::uint32_t index) = 0;
    // How many of the sector's bytes, from its first, the image holds as
    // they were recorded: all of them in a sector image; in a GCR image
    // those whose bits decode, none where the sector is not found.
    virtual std::size_t heldBytes(Location, std::uint32_t) { return sizeof(Sector); }
    // Whether the image records each track's bits, below its sectors.
    virtual bool recordsTracks() const { return false; }
    // The bits of the track as the image records them (nothing where it
    // records none); false when the file cannot be read there.
    virtual bool readRecordedTrack(unsigned, std::vector<std::uint8_t>& into) {
        into.clear();
        return true;
    }
};

// A handle on the image: copies share the open file, so the listing and the
// files read from one image each go their own way through it.
class DiskImage {
public:
    // A sector image: the sectors one after the other in the file, then
    // the error bytes when the layout has them.
    DiskImage(Layout layout, std::shared_ptr<ImageFile> file);
    // An image whose sectors come from elsewhere, in the layout's tracks.
    static DiskImage overSectors(Layout layout, std::shared_ptr<SectorSource> sectors);

    Kind kind() const { return layout_.kind; }
    unsigned tracks() const { return layout_.tracks; }
    unsigned sectorsOnTrack(unsigned track) const;  // 0 for a track the disk does not have
    bool holds(Location where) const;
    std::uint32_t sectorCount() const { return sectorCount_; }

    // The sector's place in the image, from 0; for a location it holds.
    std::uint32_t indexOf(Location where) const;

    // Reads the sector at a location the disk holds; false when the file
    // cannot be read there (errno says why).
    bool read(Location where, Sector& into);

    // The drive's error for the sector as an error byte: 0 where the image
    // keeps none and where it cannot be read (the sector read itself then
    // tells).
    std::uint8_t errorByte(Location where);

    // How many of the sector's bytes, from its first, the image holds as
    // recorded: fewer than all only where a GCR sector does not decode.
    std::size_t heldBytes(Location where);

    // The tracks' bits below the sectors, for an image that records them.
    bool recordsTracks() const { return sectors_->recordsTracks(); }
    bool readRecordedTrack(unsigned track, std::vector<std::uint8_t>& into) {
        return sectors_->readRecordedTrack(track, into);
    }

private:
    DiskImage(std::shared_ptr<SectorSource> sectors, Layout layout);

    Layout layout_;
    std::shared_ptr<SectorSource> sectors_;
    std::uint32_t sectorCount_;
};

}  // namespace nuk::disk
