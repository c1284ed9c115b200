// Reading a GCR image's track table and its tracks, one at a time.

#include "containers/gcr/gcr_image.hpp"

#include <algorithm>
#include <cstring>
#include <string>
#include <utility>

#include "containers/container_kinds.hpp"
#include "containers/disk/disk_container.hpp"
#include "containers/stored_numbers.hpp"

namespace nuk::disk {

namespace {

constexpr std::size_t signatureLength = 8;
constexpr std::size_t tableStart = 0x0C;

// Whole track N is half-track 2(N - 1). A 1571 image keeps each side in 84
// half-tracks: the second side's track 36 + k is half-track 84 + 2k.
std::size_t halfTrackOf(unsigned track, Kind kind) {
    constexpr unsigned tracksOnSide = 35;
    constexpr std::size_t halfTracksOfSide = 84;
    if (kind == Kind::d71 && track > tracksOnSide) return halfTracksOfSide + 2 * (std::size_t{track} - tracksOnSide - 1);
    return 2 * (std::size_t{track} - 1);
}

// A 1541 disk has 35 tracks, or 40 where a copier wrote the ones behind
// them; its image may hold more half-tracks than any drive reaches.
unsigned tracksOf1541Disk(const std::vector<std::uint32_t>& offsets) {
    unsigned tracks = 35;
    for (unsigned track = 36; track <= 40; ++track) {
        const std::size_t halfTrack = halfTrackOf(track, Kind::d64);
        if (halfTrack < offsets.size() && offsets[halfTrack] != 0) tracks = track;
    }
    return tracks;
}

}  // namespace

// The sectors below the files: how much of a sector decodes, and the
// track's bits below its sectors. Only a sector the drive could not read
// holds fewer than all its bytes; its track is decoded once more to find
// how many, which costs nothing for the sound sectors that files are read
// from.
std::size_t GcrImage::heldBytes(Location where, std::uint32_t index) {
    if (errorByte(where, index) <= driveErrorByte::none) return sizeof(Sector);
    const std::optional<TrackBits> bits = trackBits(where.track);
    if (!bits) return 0;
    const DiskImage tracks = DiskImage::overSectors(layout_, nullptr);
    return decodeTrack(*bits, where.track, tracks.sectorsOnTrack(where.track)).heldBytes[where.sector];
}

bool GcrImage::readRecordedTrack(unsigned track, std::vector<std::uint8_t>& into) {
    std::optional<TrackBits> bits = trackBits(track);
    if (!bits) return false;
    into = bits->bytes();
    return true;
}

std::shared_ptr<GcrImage> GcrImage::recognize(std::shared_ptr<ImageFile> file) {
    std::uint8_t head[tableStart];
    if (!file->readAt(0, head, sizeof head)) return nullptr;
    const bool is1541 = std::memcmp(head, "GCR-1541", signatureLength) == 0;
    const bool is1571 = std::memcmp(head, "GCR-1571", signatureLength) == 0;
    if (!is1541 && !is1571) return nullptr;
    // A table cut short by the file's end leaves the tracks after the cut
    // out of the image.
    std::vector<std::uint32_t> offsets;
    std::uint8_t entry[4];
    for (std::size_t i = 0; i < head[9] && file->readAt(tableStart + 4 * i, entry, sizeof entry); ++i)
        offsets.push_back(littleEndian(entry, sizeof entry));
    const Layout layout = is1541 ? Layout{Kind::d64, tracksOf1541Disk(offsets), false} : Layout{Kind::d71, 70, false};
    return std::shared_ptr<GcrImage>(new GcrImage(std::move(file), layout, std::move(offsets)));
}

GcrImage::GcrImage(std::shared_ptr<ImageFile> file, Layout layout, std::vector<std::uint32_t> trackOffsets)
    : file_(std::move(file)), layout_(layout), trackOffsets_(std::move(trackOffsets)), decoded_(layout.tracks + 1) {}

bool GcrImage::read(Location where, std::uint32_t, Sector& into) {
    const DecodedTrack* track = decoded(where.track);
    if (!track) return false;
    into = track->sectors[where.sector];
    return true;
}

std::uint8_t GcrImage::errorByte(Location where, std::uint32_t) {
    const DecodedTrack* track = decoded(where.track);
    return track ? track->errorBytes[where.sector] : 0;
}

// A track the table does not name, or whose bytes the file does not hold
// whole, is a track without bits, as an unformatted one: no sync on it.
std::optional<TrackBits> GcrImage::trackBits(unsigned track) {
    const std::size_t halfTrack = halfTrackOf(track, layout_.kind);
    if (halfTrack >= trackOffsets_.size() || trackOffsets_[halfTrack] == 0) return TrackBits(std::vector<std::uint8_t>{});
    const std::uint64_t offset = trackOffsets_[halfTrack];
    std::uint8_t length[2];
    if (offset + sizeof length > file_->size()) return TrackBits(std::vector<std::uint8_t>{});
    if (!file_->readAt(offset, length, sizeof length)) return std::nullopt;
    std::vector<std::uint8_t> bytes(littleEndian(length, sizeof length));
    if (offset + sizeof length + bytes.size() > file_->size()) return TrackBits(std::vector<std::uint8_t>{});
    if (!file_->readAt(offset + sizeof length, bytes.data(), bytes.size())) return std::nullopt;
    return TrackBits(std::move(bytes));
}

const DecodedTrack* GcrImage::decoded(unsigned track) {
    std::optional<DecodedTrack>& kept = decoded_[track];
    if (kept) return &*kept;
    std::optional<TrackBits> bits = trackBits(track);
    if (!bits) return nullptr;
    // The layout alone says how many sectors the track has.
    const DiskImage tracks = DiskImage::overSectors(layout_, nullptr);
    kept = decodeTrack(*bits, track, tracks.sectorsOnTrack(track));
    return &*kept;
}

}  // namespace nuk::disk

namespace nuk {

std::unique_ptr<Container> recognizeGcrImage(const std::shared_ptr<disk::ImageFile>& file, const std::string& argument) {
    std::shared_ptr<disk::GcrImage> image = disk::GcrImage::recognize(file);
    if (!image) return nullptr;
    return openDiskContainer(disk::DiskImage::overSectors(image->layout(), image), argument);
}

}  // namespace nuk
