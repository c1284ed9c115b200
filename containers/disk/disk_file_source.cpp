// Reading a file inside a disk image along its sector chain.

#include "containers/disk/disk_file_source.hpp"

#include <optional>
#include <utility>

#include "containers/disk/disk_faults.hpp"
#include "containers/disk/sector_chain.hpp"
#include "containers/refilled_source.hpp"

namespace nuk::disk {

namespace {

constexpr std::size_t firstDataByte = 2;

class ChainedFileSource final : public RefilledSource {
public:
    ChainedFileSource(DiskImage image, Location first, const std::string& argument)
        : image_(std::move(image)), chain_(image_, first, Chain::file, argument) {
        if (!image_.holds(first)) failure_ = fileStartsOutside(argument, first);
    }

    std::optional<std::uint64_t> size() const override { return std::nullopt; }

private:
    // Sets the next sector's data up, or returns false at the end of the
    // chain or at a fault, leaving nothing to hand out. A last sector's
    // second byte is the position of its last data byte: 1 says the sector
    // holds none (how an empty file, or a file that filled its sectors
    // before, is written), 0 is no value a drive writes.
    bool refill() override {
        if (failure_) return false;
        if (!chain_.next(sector_)) {
            failure_ = chain_.failure();
            return false;
        }
        if (notes_) notes_->placeBegins(handedOut(), placeName(chain_.lastRead()));
        if (sector_[0] != 0) return handOutUpTo(sector_.size());
        const unsigned lastByte = sector_[1];
        if (lastByte == 0) {
            failure_ = lastByteTooLow(chain_.argument(), lastByte);
            return false;
        }
        return lastByte >= firstDataByte && handOutUpTo(lastByte + 1);
    }

    // The sector's data bytes, up to just before `end`.
    bool handOutUpTo(std::size_t end) {
        handOut(sector_.data() + firstDataByte, end - firstDataByte);
        return true;
    }

    DiskImage image_;  // before chain_, which reads from it
    SectorChain chain_;
    Sector sector_{};
};

}  // namespace

std::unique_ptr<BlockSource> openChainedFile(DiskImage image, Location first, const std::string& argument) {
    return std::make_unique<ChainedFileSource>(std::move(image), first, argument);
}

}  // namespace nuk::disk
