// Reading a disk's sectors whole: runs by track and sector, a file's chains,
// a recorded track.

#include "containers/disk/disk_sectors.hpp"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

#include "containers/disk/disk_faults.hpp"
#include "containers/disk/sector_chain.hpp"
#include "containers/refilled_source.hpp"

namespace nuk::disk {

namespace {

constexpr std::uint64_t sectorSize = sizeof(Sector);

// The sector being handed out, loaded with the notes about its bytes.
class SectorInHand {
public:
    // Reads the sector that is the source's bytes from `position` on; false
    // when the image cannot be read there (errno says why).
    bool load(DiskImage& image, Location where, std::uint64_t position, ByteNotes* notes) {
        if (!image.read(where, sector_)) return false;
        tell(image, where, position, notes);
        return true;
    }

    // A sector that a chain has read already.
    void take(const Sector& sector, DiskImage& image, Location where, std::uint64_t position, ByteNotes* notes) {
        sector_ = sector;
        tell(image, where, position, notes);
    }

    const Sector& bytes() const { return sector_; }

    // Copies up to n bytes from `offset` in the sector; returns how many.
    std::size_t copy(std::size_t offset, std::uint8_t* into, std::size_t n) const {
        const std::size_t take = std::min(n, sector_.size() - std::min(offset, sector_.size()));
        std::copy_n(sector_.begin() + static_cast<std::ptrdiff_t>(offset), take, into);
        return take;
    }

private:
    void tell(DiskImage& image, Location where, std::uint64_t position, ByteNotes* notes) const {
        if (!notes) return;
        notes->placeBegins(position, placeName(where));
        const std::size_t held = image.heldBytes(where);
        if (held < sectorSize) notes->missing(position + held, sectorSize - held);
    }

    Sector sector_{};
};

// The sectors the drive could not read among those handed out: the first
// is named in the warning, the others counted.
class UnreadableSectors {
public:
    void check(DiskImage& image, Location where, const std::string& argument, std::optional<cli::Msg>& failure) {
        const std::uint8_t errorByte = image.errorByte(where);
        if (errorByte <= 1) return;
        if (!first_) {
            first_ = where;
            firstError_ = errorByte;
        } else {
            ++more_;
        }
        failure = sectorsUnreadable(argument, *first_, firstError_, more_);
    }

private:
    std::optional<Location> first_;
    std::uint8_t firstError_ = 0;
    std::uint64_t more_ = 0;
};

class SectorRunSource final : public BlockSource {
public:
    SectorRunSource(DiskImage image, Location first, Location last, const std::string& argument)
        : image_(std::move(image)),
          argument_(argument),
          first_(first),
          count_(image_.indexOf(last) - image_.indexOf(first) + 1) {}

    std::optional<std::uint64_t> size() const override { return count_ * sectorSize; }
    std::optional<std::uint64_t> remaining() const override { return count_ * sectorSize - position_; }

protected:
    std::size_t readBytes(std::uint8_t* into, std::size_t n) override {
        std::size_t done = 0;
        while (done < n && position_ < count_ * sectorSize) {
            const std::uint64_t index = position_ / sectorSize;
            if (index != loaded_ && !load(index)) break;
            const std::size_t got = sector_.copy(static_cast<std::size_t>(position_ % sectorSize), into + done, n - done);
            done += got;
            position_ += got;
        }
        return done;
    }

    // The sectors passed over are not read; the one the position lands in
    // is, when its bytes are.
    std::uint64_t skipBytes(std::uint64_t n) override {
        const std::uint64_t passed = std::min(n, count_ * sectorSize - position_);
        position_ += passed;
        return passed;
    }

private:
    // The index-th sector of the run, counted from `first_`.
    Location locationAt(std::uint64_t index) const {
        Location where = first_;
        index += where.sector;
        while (index >= image_.sectorsOnTrack(where.track)) index -= image_.sectorsOnTrack(where.track++);
        where.sector = static_cast<unsigned>(index);
        return where;
    }

    bool load(std::uint64_t index) {
        const Location where = locationAt(index);
        if (!sector_.load(image_, where, index * sectorSize, notes_)) {
            failure_ = imageReadFailed(argument_, errno);
            return false;
        }
        loaded_ = index;
        unreadable_.check(image_, where, argument_, failure_);
        return true;
    }

    DiskImage image_;
    const std::string argument_;
    const Location first_;
    const std::uint64_t count_;
    std::uint64_t position_ = 0;
    std::uint64_t loaded_ = UINT64_MAX;  // the index of the sector in hand, if any
    SectorInHand sector_;
    UnreadableSectors unreadable_;
};

class ChainSectorsSource final : public RefilledSource {
public:
    ChainSectorsSource(DiskImage image, std::vector<Location> starts, const std::string& argument)
        : image_(std::move(image)), argument_(argument), starts_(std::move(starts)) {}

    std::optional<std::uint64_t> size() const override { return std::nullopt; }

private:
    // The next sector of the current chain, or the first of the next chain.
    bool refill() override {
        const std::uint64_t position = handedOut();
        for (;;) {
            if (ended_) return false;
            if (!chain_ && !startNextChain()) return false;
            Sector sector;
            if (chain_->next(sector)) {
                sector_.take(sector, image_, chain_->lastRead(), position, notes_);
                handOut(sector_.bytes().data(), sectorSize);
                return true;
            }
            if (!chain_->failure()) {
                chain_.reset();
                continue;
            }
            // The sector the drive could not read is shown, then the chain's
            // message says why it ends there.
            ended_ = true;
            failure_ = chain_->failure();
            if (!chain_->unreadable()) return false;
            if (!sector_.load(image_, *chain_->unreadable(), position, notes_)) {
                failure_ = imageReadFailed(argument_, errno);
                return false;
            }
            handOut(sector_.bytes().data(), sectorSize);
            return true;
        }
    }

    bool startNextChain() {
        if (nextStart_ == starts_.size()) {
            ended_ = true;
            return false;
        }
        const Location start = starts_[nextStart_++];
        if (!image_.holds(start)) {
            ended_ = true;
            failure_ = fileStartsOutside(argument_, start);
            return false;
        }
        chain_.emplace(image_, start, Chain::file, argument_);
        return true;
    }

    DiskImage image_;  // before chain_, which reads from it
    const std::string argument_;
    const std::vector<Location> starts_;
    std::size_t nextStart_ = 0;
    std::optional<SectorChain> chain_;
    bool ended_ = false;
    SectorInHand sector_;
};

class RecordedTrackSource final : public RefilledSource {
public:
    explicit RecordedTrackSource(std::vector<std::uint8_t> bytes) : bytes_(std::move(bytes)) {}

    std::optional<std::uint64_t> size() const override { return bytes_.size(); }
    std::optional<std::uint64_t> remaining() const override { return bytes_.size() - handedOut(); }

private:
    // All of them at once.
    bool refill() override {
        if (given_) return false;
        given_ = true;
        handOut(bytes_.data(), bytes_.size());
        return true;
    }

    const std::vector<std::uint8_t> bytes_;
    bool given_ = false;
};

}  // namespace

std::unique_ptr<BlockSource> openSectorRun(DiskImage image, Location first, Location last,
                                           const std::string& argument) {
    return std::make_unique<SectorRunSource>(std::move(image), first, last, argument);
}

std::unique_ptr<BlockSource> openChainSectors(DiskImage image, std::vector<Location> starts,
                                              const std::string& argument) {
    return std::make_unique<ChainSectorsSource>(std::move(image), std::move(starts), argument);
}

std::unique_ptr<BlockSource> openRecordedTrack(std::vector<std::uint8_t> bytes) {
    return std::make_unique<RecordedTrackSource>(std::move(bytes));
}

}  // namespace nuk::disk
