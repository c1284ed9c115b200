#pragma once
// What a selector asks for below a disk's files, by track and sector:
//   @T/S        one sector, its 256 bytes
//   @T          every sector of track T, in order
//   @T/S-T/S    a run of sectors in the image's order, across tracks; either
//               end may be a whole track (@17-19: tracks 17 to 19)
//   %T          track T's bits as a GCR image records them
// The numbers are written in the program's notation: 18, $12, 0x12, %10010.
// A selector that ends in "@" (NAME@, #N@) asks for the sectors of an
// entry's own chain.

#include <cstdint>
#include <optional>
#include <string>

namespace nuk::disk {

// A track, or one sector of it, as the selector numbers it: not yet
// checked against any disk.
struct TrackOrSector {
    std::uint64_t track = 0;
    std::optional<std::uint64_t> sector;  // nothing: the whole track
};

struct SectorSelection {
    enum class Kind { sectors, recordedTrack };
    Kind kind = Kind::sectors;
    TrackOrSector first;
    TrackOrSector last;  // the same as first unless a run is asked for
};

// The selection of a selector that starts with "@", or with "%" and a
// number; nothing when what follows is none.
std::optional<SectorSelection> parseSectorSelection(const std::string& selector);

// Whether the selector asks for sectors by track: it starts with "@", or is
// "%" and a number (a name that starts so is written with "\x40" or "\x25").
bool selectsSectors(const std::string& selector);

// Whether the selector asks for the sectors of an entry's chain: a name or
// "#N" followed by "@" (a name that ends in the character is written with
// "\x40").
bool selectsEntrySectors(const std::string& selector);

}  // namespace nuk::disk
