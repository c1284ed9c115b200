// Sizes, tracks and sector positions of the disk image kinds.

#include "containers/disk/disk_image.hpp"

#include <utility>

namespace nuk::disk {

namespace {

struct KnownSize {
    std::uint64_t bytes;
    Layout layout;
};

constexpr KnownSize knownSizes[] = {
    {174848, {Kind::d64, 35, false}}, {175531, {Kind::d64, 35, true}},
    {196608, {Kind::d64, 40, false}}, {197376, {Kind::d64, 40, true}},
    {349696, {Kind::d71, 70, false}}, {351062, {Kind::d71, 70, true}},
    {819200, {Kind::d81, 80, false}}, {822400, {Kind::d81, 80, true}},
    {533248, {Kind::d80, 77, false}}, {535331, {Kind::d80, 77, true}},
    {1066496, {Kind::d82, 154, false}}, {1070662, {Kind::d82, 154, true}},
};

// The 1541's four speed zones: the outer tracks hold more sectors. Tracks
// 36 to 40 of a 40-track image continue the innermost zone.
unsigned sectorsInZoneOf(unsigned track) {
    if (track <= 17) return 21;
    if (track <= 24) return 19;
    if (track <= 30) return 18;
    return 17;
}

// The 8050's four zones over its 77 tracks a side.
unsigned sectorsInPetZoneOf(unsigned track) {
    if (track <= 39) return 29;
    if (track <= 53) return 27;
    if (track <= 64) return 25;
    return 23;
}

// The sectors of a sector image, one after the other from the file's first
// byte; the error bytes, when the image has them, follow the last sector in
// the sectors' order.
class SectorImageFile final : public SectorSource {
public:
    SectorImageFile(std::shared_ptr<ImageFile> file, bool errorBytes, std::uint32_t sectorCount)
        : file_(std::move(file)), errorBytes_(errorBytes), sectorCount_(sectorCount) {}

    bool read(Location, std::uint32_t index, Sector& into) override {
        return file_->readAt(std::uint64_t{index} * into.size(), into.data(), into.size());
    }

    std::uint8_t errorByte(Location, std::uint32_t index) override {
        std::uint8_t byte = 0;
        if (!errorBytes_) return 0;
        const std::uint64_t offset = std::uint64_t{sectorCount_} * sizeof(Sector) + index;
        return file_->readAt(offset, &byte, 1) ? byte : 0;
    }

private:
    const std::shared_ptr<ImageFile> file_;
    const bool errorBytes_;
    const std::uint32_t sectorCount_;
};

}  // namespace

std::optional<Layout> layoutForSize(std::uint64_t size) {
    for (const KnownSize& known : knownSizes) {
        if (known.bytes == size) return known.layout;
    }
    return std::nullopt;
}

DiskImage::DiskImage(std::shared_ptr<SectorSource> sectors, Layout layout)
    : layout_(layout), sectors_(std::move(sectors)) {
    sectorCount_ = 0;
    for (unsigned track = 1; track <= layout_.tracks; ++track) sectorCount_ += sectorsOnTrack(track);
}

DiskImage::DiskImage(Layout layout, std::shared_ptr<ImageFile> file) : DiskImage(std::shared_ptr<SectorSource>(), layout) {
    sectors_ = std::make_shared<SectorImageFile>(std::move(file), layout_.errorBytes, sectorCount_);
}

DiskImage DiskImage::overSectors(Layout layout, std::shared_ptr<SectorSource> sectors) {
    return DiskImage(std::move(sectors), layout);
}

unsigned DiskImage::sectorsOnTrack(unsigned track) const {
    if (track < 1 || track > layout_.tracks) return 0;
    switch (layout_.kind) {
    case Kind::d81: return 40;
    case Kind::d71: return sectorsInZoneOf(track > 35 ? track - 35 : track);  // the second side repeats the first
    case Kind::d80: return sectorsInPetZoneOf(track);
    case Kind::d82: return sectorsInPetZoneOf(track > 77 ? track - 77 : track);  // so does the 8250's
    case Kind::d64: break;
    }
    return sectorsInZoneOf(track);
}

bool DiskImage::holds(Location where) const { return where.sector < sectorsOnTrack(where.track); }

std::uint32_t DiskImage::indexOf(Location where) const {
    std::uint32_t index = where.sector;
    for (unsigned track = 1; track < where.track; ++track) index += sectorsOnTrack(track);
    return index;
}

bool DiskImage::read(Location where, Sector& into) {
    return holds(where) && sectors_->read(where, indexOf(where), into);
}

std::uint8_t DiskImage::errorByte(Location where) {
    return holds(where) ? sectors_->errorByte(where, indexOf(where)) : 0;
}

std::size_t DiskImage::heldBytes(Location where) {
    return holds(where) ? sectors_->heldBytes(where, indexOf(where)) : 0;
}

std::string placeName(Location where) {
    return "@" + std::to_string(where.track) + "/" + std::to_string(where.sector);
}

}  // namespace nuk::disk
