#pragma once
// A GCR disk image (G64 of a 1541 disk, G71 of a 1571 disk): the bit
// stream of every track as the drive's head would read it, decoded here one
// track at a time, when a sector on it is first read, into the sectors of
// the D64 or D71 file system.
//
//   $00  "GCR-1541" or "GCR-1571"     $08  version     $09  half-tracks (n)
//   $0A  the largest track's size (2) $0C  n offsets of the tracks (4 each,
//        0: no track), then n speed zones (4 each)
//   at each offset: the track's length in bytes (2), then its bits
// Whole track N is half-track 2(N - 1), counting from 0; the half-tracks
// between them hold no sectors. A G71 holds 84 half-tracks a side: the
// second side's track 36 + k is half-track 84 + 2k.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "containers/disk/disk_image.hpp"
#include "containers/gcr/gcr_track.hpp"
#include "containers/image_file.hpp"

namespace nuk::disk {

class GcrImage final : public SectorSource {
public:
    // The image when the file starts with a GCR image's signature; its
    // layout then says which file system and how many tracks.
    static std::shared_ptr<GcrImage> recognize(std::shared_ptr<ImageFile> file);

    const Layout& layout() const { return layout_; }

    bool read(Location where, std::uint32_t index, Sector& into) override;
    std::uint8_t errorByte(Location where, std::uint32_t index) override;
    std::size_t heldBytes(Location where, std::uint32_t index) override;
    bool recordsTracks() const override { return true; }
    bool readRecordedTrack(unsigned track, std::vector<std::uint8_t>& into) override;

private:
    GcrImage(std::shared_ptr<ImageFile> file, Layout layout, std::vector<std::uint32_t> trackOffsets);

    // The track's sectors, decoded when first asked for; nothing when the
    // file cannot be read.
    const DecodedTrack* decoded(unsigned track);
    std::optional<TrackBits> trackBits(unsigned track);

    const std::shared_ptr<ImageFile> file_;
    const Layout layout_;
    const std::vector<std::uint32_t> trackOffsets_;  // by half-track
    // By track number: each track is decoded once, however often a file
    // comes back to it. The sectors of a whole disk take less room than
    // the bits of one long track.
    std::vector<std::optional<DecodedTrack>> decoded_;
};

}  // namespace nuk::disk
