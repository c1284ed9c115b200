// A cartridge image as a container: its chips are the entries, each
// delivered as a PRG is: its load address (little-endian), then its data.

#include <algorithm>
#include <cerrno>
#include <utility>

#include "containers/cartridge_chips.hpp"
#include "containers/cartridge_faults.hpp"
#include "containers/container.hpp"
#include "containers/container_kinds.hpp"
#include "containers/directory_listing.hpp"
#include "containers/disk_faults.hpp"

namespace nuk {

namespace {

using namespace cartridge;

// The chip's two load address bytes, then as much of its data as the file
// holds: a chip the file cuts short ends after its last byte there, with
// the message in failure().
class ChipSource final : public BlockSource {
public:
    ChipSource(std::shared_ptr<disk::ImageFile> file, const Chip& chip, std::string argument)
        : file_(std::move(file)), chip_(chip), argument_(std::move(argument)) {
        const std::uint64_t fileSize = file_->size();
        const std::uint64_t there = chip.dataOffset() >= fileSize ? 0 : fileSize - chip.dataOffset();
        cut_ = there < chip.dataSize;
        end_ = 2 + std::min<std::uint64_t>(there, chip.dataSize);
    }

    std::optional<std::uint64_t> size() const override {
        if (cut_) return std::nullopt;
        return end_;
    }

protected:
    std::size_t readBytes(std::uint8_t* into, std::size_t n) override {
        std::size_t done = 0;
        for (; done < n && position_ < 2; ++done, ++position_)
            into[done] = static_cast<std::uint8_t>(chip_.loadAddress >> (8 * position_));
        const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(n - done, end_ - position_));
        if (take > 0) {
            if (!file_->readAt(chip_.dataOffset() + position_ - 2, into + done, take)) {
                failure_ = disk::imageReadFailed(argument_, errno);
                return done;
            }
            done += take;
            position_ += take;
        }
        if (done == 0 && cut_) failure_ = chipPacketCutShort(argument_, chip_.packet);
        return done;
    }

    // The data lie in the file: passing over them is moving the position.
    std::uint64_t skipBytes(std::uint64_t n) override {
        const std::uint64_t passed = std::min(n, end_ - position_);
        position_ += passed;
        if (passed < n && cut_) failure_ = chipPacketCutShort(argument_, chip_.packet);
        return passed;
    }

private:
    const std::shared_ptr<disk::ImageFile> file_;
    const Chip chip_;
    const std::string argument_;
    bool cut_;
    std::uint64_t end_;  // just past the last byte handed out
    std::uint64_t position_ = 0;
};

class CartridgeContainer final : public Container {
public:
    CartridgeContainer(std::shared_ptr<disk::ImageFile> file, const CartridgeHeader& header, std::string argument)
        : file_(std::move(file)), header_(header), argument_(std::move(argument)) {}

    std::optional<cli::Msg> list(std::optional<disk::NamePattern> pattern, std::unique_ptr<BlockSource>& source) override {
        source = disk::openDirectoryListing(listingHeader(header_), chips(), std::move(pattern));
        return std::nullopt;
    }

    std::optional<cli::Msg> openEntry(std::size_t number, std::unique_ptr<BlockSource>& source) override {
        return openFound([number, seen = std::size_t{0}](const Chip&) mutable { return ++seen == number; }, source);
    }

    std::optional<cli::Msg> openFirstMatch(const disk::NamePattern& pattern, std::unique_ptr<BlockSource>& source) override {
        return openFound([&pattern](const Chip& chip) { return pattern.matches(listedChip(chip).name); }, source);
    }

private:
    std::unique_ptr<ChipReader> chips() const {
        return std::make_unique<ChipReader>(file_, header_.firstPacket, argument_);
    }

    template <typename Wanted>
    std::optional<cli::Msg> openFound(Wanted wanted, std::unique_ptr<BlockSource>& source) {
        const std::unique_ptr<ChipReader> reader = chips();
        while (auto chip = reader->next()) {
            if (!wanted(*chip)) continue;
            source = std::make_unique<ChipSource>(file_, *chip, argument_);
            return std::nullopt;
        }
        if (reader->failure()) return reader->failure();
        return noSuchChip(argument_);
    }

    const std::shared_ptr<disk::ImageFile> file_;
    const CartridgeHeader header_;
    const std::string argument_;
};

}  // namespace

std::unique_ptr<Container> recognizeCartridgeImage(const std::shared_ptr<disk::ImageFile>& file,
                                                   const std::string& argument) {
    const std::optional<CartridgeHeader> header = readCartridgeHeader(*file);
    if (!header) return nullptr;
    return std::make_unique<CartridgeContainer>(file, *header, argument);
}

}  // namespace nuk
