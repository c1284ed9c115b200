// A cartridge image as a container: its chips are the entries.

#include <utility>

#include "containers/cartridge/cartridge_chips.hpp"
#include "containers/cartridge/cartridge_faults.hpp"
#include "containers/container.hpp"
#include "containers/container_kinds.hpp"

namespace nuk {

namespace {

using namespace cartridge;

class CartridgeContainer final : public Container {
public:
    CartridgeContainer(std::shared_ptr<disk::ImageFile> file, const CartridgeHeader& header, std::string argument)
        : file_(std::move(file)), header_(header), argument_(std::move(argument)) {}

    std::optional<cli::Msg> readHeader(disk::DiskHeader& header) override {
        header = listingHeader(header_);
        return std::nullopt;
    }

    std::optional<cli::Msg> entries(std::unique_ptr<disk::EntryReader>& walk) override {
        walk = std::make_unique<ChipReader>(file_, header_.firstPacket, argument_);
        return std::nullopt;
    }

    cli::Msg noSuchEntry(std::size_t) const override { return noSuchChip(argument_); }

private:
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
