// A disk image as a container: D64, D71, D81, D80 and D82 images, known by
// their size, and any other image of their file systems (the GCR images).

#include "containers/disk/disk_container.hpp"

#include <cerrno>
#include <utility>
#include <vector>

#include "containers/container.hpp"
#include "containers/container_kinds.hpp"
#include "containers/disk/disk_directory.hpp"
#include "containers/disk/disk_faults.hpp"
#include "containers/disk/disk_sectors.hpp"
#include "containers/entry_choice.hpp"
#include "files/file_messages.hpp"

namespace nuk {

namespace {

using namespace disk;

class DiskContainer final : public Container {
public:
    DiskContainer(DiskImage image, std::string argument) : image_(std::move(image)), argument_(std::move(argument)) {}

    std::optional<cli::Msg> readHeader(DiskHeader& header) override { return disk::readHeader(image_, argument_, header); }

    std::optional<cli::Msg> entries(std::unique_ptr<EntryReader>& walk) override {
        walk = std::make_unique<DirectoryReader>(image_, argument_);
        return std::nullopt;
    }

    cli::Msg noSuchEntry(std::size_t) const override {
        return pathMessage(argument_, "': no such file in the disk image");
    }

    // What the drive reads for the file: its data sectors and, for a REL
    // file, its side sectors after them.
    std::optional<cli::Msg> openEntrySectors(const EntryChoice& choice, const std::string&,
                                             std::unique_ptr<BlockSource>& source) override {
        DirectoryReader walk(image_, argument_);
        if (auto problem = walkTo(walk, choice, *this)) return problem;
        const DirectoryEntry& entry = walk.last();
        std::vector<Location> starts{entry.start};
        if (entry.fileType() == fileType::rel && entry.sideSectors.track != 0) starts.push_back(entry.sideSectors);
        source = openChainSectors(image_, std::move(starts), argument_);
        return std::nullopt;
    }

    std::optional<cli::Msg> openSectors(const SectorSelection& selection, const std::string&,
                                        std::unique_ptr<BlockSource>& source) override {
        if (selection.kind == SectorSelection::Kind::recordedTrack) return openRecordedTrack(selection.first, source);
        Location first{0, 0};
        Location last{0, 0};
        if (auto problem = locate(selection.first, false, first)) return problem;
        if (auto problem = locate(selection.last, true, last)) return problem;
        if (image_.indexOf(last) < image_.indexOf(first)) return runEndsBeforeStart(argument_, first, last);
        source = openSectorRun(image_, first, last, argument_);
        return std::nullopt;
    }

private:
    // The sector a selector names, checked against this disk; a whole
    // track stands for its first sector, or its last at the end of a run.
    std::optional<cli::Msg> locate(const TrackOrSector& place, bool end, Location& where) const {
        if (place.track < 1 || place.track > image_.tracks()) return trackOutside(argument_, place.track, image_.tracks());
        const auto track = static_cast<unsigned>(place.track);
        const unsigned sectors = image_.sectorsOnTrack(track);
        if (place.sector && *place.sector >= sectors) return sectorOutside(argument_, track, *place.sector, sectors);
        where = {track, place.sector ? static_cast<unsigned>(*place.sector) : end ? sectors - 1 : 0};
        return std::nullopt;
    }

    std::optional<cli::Msg> openRecordedTrack(const TrackOrSector& place, std::unique_ptr<BlockSource>& source) {
        if (!image_.recordsTracks()) return noRecordedTracks(argument_);
        if (place.track < 1 || place.track > image_.tracks()) return trackOutside(argument_, place.track, image_.tracks());
        std::vector<std::uint8_t> bits;
        if (!image_.readRecordedTrack(static_cast<unsigned>(place.track), bits)) return imageReadFailed(argument_, errno);
        source = disk::openRecordedTrack(std::move(bits));
        return std::nullopt;
    }

    DiskImage image_;
    const std::string argument_;
};

}  // namespace

std::unique_ptr<Container> openDiskContainer(DiskImage image, std::string argument) {
    return std::make_unique<DiskContainer>(std::move(image), std::move(argument));
}

bool isDiskImageSize(std::uint64_t size) { return layoutForSize(size).has_value(); }

std::unique_ptr<Container> recognizeDiskImage(const std::shared_ptr<ImageFile>& file, const std::string& argument) {
    const std::optional<Layout> layout = layoutForSize(file->size());
    if (!layout) return nullptr;
    return openDiskContainer(DiskImage(*layout, file), argument);
}

}  // namespace nuk
