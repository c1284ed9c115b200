// A cartridge image as a container: its chips are the entries, each
// delivered as a PRG is: its load address (little-endian), then its data.

#include <utility>

#include "containers/cartridge_chips.hpp"
#include "containers/cartridge_faults.hpp"
#include "containers/container.hpp"
#include "containers/container_kinds.hpp"
#include "containers/directory_listing.hpp"
#include "containers/file_piece_source.hpp"

namespace nuk {

namespace {

using namespace cartridge;

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
            const FilePiece piece{chip->loadAddress, chip->dataOffset(), chip->dataSize};
            source = openFilePiece(file_, piece, argument_, [argument = argument_, packet = chip->packet](auto, auto) {
                return chipPacketCutShort(argument, packet);
            });
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
