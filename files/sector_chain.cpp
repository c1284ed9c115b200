// Following a chain of sectors through a disk image.

#include "files/sector_chain.hpp"

#include <cerrno>
#include <utility>

namespace nuk::disk {

SectorChain::SectorChain(DiskImage& image, Location first, Chain chain, std::string argument)
    : image_(image), next_(first), chain_(chain), argument_(std::move(argument)) {}

// A chain visits each sector once at most: more sectors than the image holds
// means it runs in a loop.
bool SectorChain::next(Sector& into) {
    if (failure_ || !next_) return false;
    const Location where = *next_;
    if (!image_.holds(where)) {
        failure_ = chainLeavesImage(argument_, chain_, where);
        return false;
    }
    if (++sectorsRead_ > image_.sectorCount()) {
        failure_ = chainLoops(argument_, chain_);
        return false;
    }
    if (!image_.read(where, into)) {
        failure_ = imageReadFailed(argument_, errno);
        return false;
    }
    next_ = into[0] == 0 ? std::nullopt : std::optional<Location>(Location{into[0], into[1]});
    return true;
}

}  // namespace nuk::disk
