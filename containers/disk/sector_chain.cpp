// Following a chain of sectors through a disk image.

#include "containers/disk/sector_chain.hpp"

#include <cerrno>
#include <utility>

namespace nuk::disk {

SectorChain::SectorChain(DiskImage& image, Location first, Chain chain, std::string argument)
    : image_(image), next_(first), chain_(chain), argument_(std::move(argument)), visited_(image.sectorCount()) {}

// A chain visits each sector once at most: coming back to one is a loop,
// caught before the sector's bytes are handed out a second time. Error
// bytes $00 and $01 both mean the sector was read without fault.
std::optional<cli::Msg> SectorChain::checkNext(Location where) {
    if (!image_.holds(where)) return chainLeavesImage(argument_, chain_, where);
    const std::uint32_t index = image_.indexOf(where);
    if (visited_[index]) {
        looped_ = true;
        return chainLoops(argument_, chain_);
    }
    visited_[index] = true;
    const std::uint8_t errorByte = image_.errorByte(where);
    if (errorByte > 1) {
        unreadable_ = where;
        return sectorUnreadable(argument_, chain_, where, errorByte);
    }
    return std::nullopt;
}

bool SectorChain::next(Sector& into) {
    if (failure_ || !next_) return false;
    const Location where = *next_;
    failure_ = checkNext(where);
    if (failure_) return false;
    if (!image_.read(where, into)) {
        failure_ = imageReadFailed(argument_, errno);
        return false;
    }
    lastRead_ = where;
    next_ = into[0] == 0 ? std::nullopt : std::optional<Location>(Location{into[0], into[1]});
    return true;
}

}  // namespace nuk::disk
