#pragma once
// A chain of sectors in a disk image, as files and the directory are kept:
// the first two bytes of each sector link to the next one (track 0: it is
// the last). Each step is checked, so a damaged image ends the walk with a
// message instead of reading outside the image or going round for ever, and
// a sector the drive could not read when the image was made ends it too.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "cli/message.hpp"
#include "containers/disk/disk_faults.hpp"
#include "containers/disk/disk_image.hpp"

namespace nuk::disk {

class SectorChain {
public:
    // The image must outlive the chain. `argument` names the FILE argument
    // in the messages; `chain` says whose chain it is.
    SectorChain(DiskImage& image, Location first, Chain chain, std::string argument);

    // Reads the next sector of the chain; false at its end, and at a fault,
    // which failure() then describes.
    bool next(Sector& into);
    const std::optional<cli::Msg>& failure() const { return failure_; }
    const std::string& argument() const { return argument_; }
    // Whether the chain ended by coming back to a sector it had read.
    bool looped() const { return looped_; }
    // Where the sector that next() read last lies.
    Location lastRead() const { return lastRead_; }
    // The sector the chain reached and ended at because the drive could not
    // read it, if that is how it ended.
    const std::optional<Location>& unreadable() const { return unreadable_; }

private:
    std::optional<cli::Msg> checkNext(Location where);

    DiskImage& image_;
    std::optional<Location> next_;
    const Chain chain_;
    const std::string argument_;
    std::vector<bool> visited_;  // by sector index: a bit per sector of the image
    bool looped_ = false;
    Location lastRead_{0, 0};
    std::optional<Location> unreadable_;
    std::optional<cli::Msg> failure_;
};

}  // namespace nuk::disk
