// Sizes, tracks and sector positions of the three disk image kinds.

#include "files/disk_image.hpp"

#include <utility>

namespace nuk::disk {

namespace {

struct KnownSize {
    std::uint64_t bytes;
    Layout layout;
};

constexpr KnownSize knownSizes[] = {
    {174848, {Kind::d64, 35}}, {175531, {Kind::d64, 35}}, {196608, {Kind::d64, 40}}, {197376, {Kind::d64, 40}},
    {349696, {Kind::d71, 70}}, {351062, {Kind::d71, 70}}, {819200, {Kind::d81, 80}}, {822400, {Kind::d81, 80}},
};

// The 1541's four speed zones: the outer tracks hold more sectors. Tracks
// 36 to 40 of a 40-track image continue the innermost zone.
unsigned sectorsInZoneOf(unsigned track) {
    if (track <= 17) return 21;
    if (track <= 24) return 19;
    if (track <= 30) return 18;
    return 17;
}

}  // namespace

std::optional<Layout> layoutForSize(std::uint64_t size) {
    for (const KnownSize& known : knownSizes) {
        if (known.bytes == size) return known.layout;
    }
    return std::nullopt;
}

DiskImage::DiskImage(Layout layout, std::unique_ptr<ImageFile> file) : layout_(layout), file_(std::move(file)) {
    sectorCount_ = 0;
    for (unsigned track = 1; track <= layout_.tracks; ++track) sectorCount_ += sectorsOnTrack(track);
}

unsigned DiskImage::sectorsOnTrack(unsigned track) const {
    if (track < 1 || track > layout_.tracks) return 0;
    switch (layout_.kind) {
    case Kind::d81: return 40;
    case Kind::d71: return sectorsInZoneOf(track > 35 ? track - 35 : track);  // the second side repeats the first
    case Kind::d64: break;
    }
    return sectorsInZoneOf(track);
}

bool DiskImage::holds(Location where) const { return where.sector < sectorsOnTrack(where.track); }

std::uint64_t DiskImage::offsetOf(Location where) const {
    std::uint64_t index = where.sector;
    for (unsigned track = 1; track < where.track; ++track) index += sectorsOnTrack(track);
    return index * 256;
}

bool DiskImage::read(Location where, Sector& into) {
    return holds(where) && file_->readAt(offsetOf(where), into.data(), into.size());
}

}  // namespace nuk::disk
