// The disk image reader on damaged images: the input picks a kind of image
// and writes sectors into it (all others are zero); then the directory is
// listed (all of it, and by a pattern taken from the input) and every file in
// it is read along its chain. Nothing may read outside a sector or hang; a
// listing that does not break is a BASIC program whose links chain its lines
// to the two closing zero bytes, and no file is longer than the image holds.

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "containers/directory_listing.hpp"
#include "containers/disk/disk_directory.hpp"
#include "containers/disk/disk_file_source.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

using namespace nuk::disk;

// An image held as the sectors the input wrote, zero elsewhere.
class SparseImage final : public ImageFile {
public:
    SparseImage(std::uint64_t size, std::shared_ptr<const std::map<std::uint64_t, Sector>> sectors)
        : size_(size), sectors_(std::move(sectors)) {}
    std::uint64_t size() const override { return size_; }
    bool readAt(std::uint64_t offset, std::uint8_t* into, std::size_t n) override {
        fuzz::check(offset % 256 == 0 && n == 256 && offset + n <= size_, "whole sectors inside the image");
        const auto found = sectors_->find(offset / 256);
        for (std::size_t i = 0; i < n; ++i) into[i] = found == sectors_->end() ? 0 : found->second[i];
        return true;
    }

private:
    std::uint64_t size_;
    std::shared_ptr<const std::map<std::uint64_t, Sector>> sectors_;
};

std::vector<std::uint8_t> readAll(nuk::BlockSource& source, std::uint64_t most) {
    std::vector<std::uint8_t> bytes;
    std::uint8_t block[700];
    while (const std::size_t got = source.read(block, 1 + bytes.size() % sizeof block)) {
        bytes.insert(bytes.end(), block, block + got);
        fuzz::check(bytes.size() <= most, "no more bytes than the image can hold");
    }
    return bytes;
}

// Names may hold zero bytes, so the lines are followed by their links: each
// is a header or closing line of 30 bytes or an entry line of 32, ending in 0.
void checkProgram(const std::vector<std::uint8_t>& listing) {
    fuzz::check(listing.size() >= 4 && listing[0] == 0x01 && listing[1] == 0x04, "loaded at $0401");
    std::size_t at = 2;
    unsigned address = 0x0401;
    for (;;) {
        fuzz::check(at + 2 <= listing.size(), "every line has a link");
        const unsigned link = listing[at] | listing[at + 1] << 8;
        if (link == 0) break;
        const unsigned length = (link - address) & 0xFFFF;
        fuzz::check(length == 30 || length == 32, "each link is the next line's address");
        fuzz::check(at + length <= listing.size() && listing[at + length - 1] == 0, "every line ends with a zero byte");
        address = link;
        at += length;
    }
    fuzz::check(at + 2 == listing.size(), "the program ends after its closing zero bytes");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    fuzz::ByteReader input(bytes, size);
    static const std::uint64_t sizes[] = {174848, 196608, 349696, 819200};
    const std::uint64_t imageSize = sizes[input.byte() % 4];
    const Layout layout = *layoutForSize(imageSize);
    std::string pattern(input.byte() % 8, ' ');
    for (char& c : pattern) c = static_cast<char>(input.byte());

    // Then sectors: track, sector and up to 256 bytes each.
    const DiskImage geometry(layout, nullptr);
    auto sectors = std::make_shared<std::map<std::uint64_t, Sector>>();
    while (input.restSize() > 2) {
        const Location where{input.byte(), input.byte()};
        Sector sector{};
        for (std::size_t i = 0; i < sector.size() && input.restSize() > 0; ++i) sector[i] = input.byte();
        if (!geometry.holds(where)) continue;
        std::uint64_t index = where.sector;
        for (unsigned track = 1; track < where.track; ++track) index += geometry.sectorsOnTrack(track);
        (*sectors)[index] = sector;
    }
    const auto image = [&] { return DiskImage(layout, std::make_unique<SparseImage>(imageSize, sectors)); };
    const std::uint64_t mostBytes = std::uint64_t{geometry.sectorCount()} * 256 * 8 + 64;

    DiskImage headerImage = image();
    DiskHeader header;
    fuzz::check(!readHeader(headerImage, "d", header), "a readable header");
    for (const bool filtered : {false, true}) {
        auto listing = openDirectoryListing(header, std::make_unique<DirectoryReader>(image(), "d"),
                                            filtered ? std::optional<NamePattern>(NamePattern(pattern)) : std::nullopt);
        const std::vector<std::uint8_t> program = readAll(*listing, mostBytes);
        if (!listing->failure()) checkProgram(program);
    }

    DirectoryReader directory(image(), "d");
    for (int files = 0; files < 8; ++files) {
        const std::optional<DirectoryEntry> entry = directory.next();
        if (!entry) break;
        auto file = openChainedFile(image(), entry->start, "d");
        readAll(*file, std::uint64_t{geometry.sectorCount()} * 254);
    }
    return 0;
}
