// Reading a file inside a disk image along its sector chain.

#include "containers/disk/disk_file_source.hpp"

#include <algorithm>
#include <optional>
#include <utility>

#include "containers/disk/disk_faults.hpp"
#include "containers/disk/sector_chain.hpp"

namespace nuk::disk {

namespace {

constexpr std::size_t firstDataByte = 2;

class ChainedFileSource final : public BlockSource {
public:
    ChainedFileSource(DiskImage image, Location first, const std::string& argument)
        : image_(std::move(image)), chain_(image_, first, Chain::file, argument) {
        if (!image_.holds(first)) failure_ = fileStartsOutside(argument, first);
    }

    std::optional<std::uint64_t> size() const override { return std::nullopt; }

    std::size_t readBytes(std::uint8_t* into, std::size_t n) override {
        std::size_t done = 0;
        while (done < n) {
            if (position_ == end_ && !loadNextSector()) break;  // leaves position_ == end_
            const std::size_t take = std::min(n - done, end_ - position_);
            std::copy_n(sector_.begin() + position_, take, into + done);
            position_ += take;
            handedOut_ += take;
            done += take;
        }
        return done;
    }

private:
    // Sets the next sector's data up, or returns false at the end of the
    // chain or at a fault, leaving nothing to hand out. A last sector's
    // second byte is the position of its last data byte: 1 says the sector
    // holds none (how an empty file, or a file that filled its sectors
    // before, is written), 0 is no value a drive writes.
    bool loadNextSector() {
        if (failure_) return false;
        if (!chain_.next(sector_)) {
            failure_ = chain_.failure();
            return false;
        }
        if (notes_) notes_->placeBegins(handedOut_, placeName(chain_.lastRead()));
        if (sector_[0] != 0) return handOut(sector_.size());
        const unsigned lastByte = sector_[1];
        if (lastByte == 0) {
            failure_ = lastByteTooLow(chain_.argument(), lastByte);
            return false;
        }
        return lastByte >= firstDataByte && handOut(lastByte + 1);
    }

    bool handOut(std::size_t end) {
        position_ = firstDataByte;
        end_ = end;
        return true;
    }

    DiskImage image_;  // before chain_, which reads from it
    SectorChain chain_;
    Sector sector_{};
    std::size_t position_ = 0;  // of the next byte to hand out in sector_
    std::size_t end_ = 0;       // just past the last data byte of sector_
    std::uint64_t handedOut_ = 0;  // bytes handed out so far
};

}  // namespace

std::unique_ptr<BlockSource> openChainedFile(DiskImage image, Location first, const std::string& argument) {
    return std::make_unique<ChainedFileSource>(std::move(image), first, argument);
}

}  // namespace nuk::disk
