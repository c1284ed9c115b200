// A disk image as a container: D64, D71, D81, D80 and D82 images, known by
// their size, and any other image of their file systems (the GCR images).

#include "containers/disk_container.hpp"

#include <cerrno>
#include <utility>
#include <vector>

#include "containers/container.hpp"
#include "containers/container_kinds.hpp"
#include "containers/directory_listing.hpp"
#include "containers/disk_directory.hpp"
#include "containers/disk_faults.hpp"
#include "containers/disk_file_source.hpp"
#include "containers/disk_sectors.hpp"
#include "files/file_messages.hpp"

namespace nuk {

namespace {

using namespace disk;

class DiskContainer final : public Container {
public:
    DiskContainer(DiskImage image, std::string argument) : image_(std::move(image)), argument_(std::move(argument)) {}

    std::optional<cli::Msg> list(std::optional<NamePattern> pattern, std::unique_ptr<BlockSource>& source) override {
        DiskHeader header;
        if (auto problem = readHeader(image_, argument_, header)) return problem;
        source = openDirectoryListing(header, std::make_unique<DirectoryReader>(image_, argument_), std::move(pattern));
        return std::nullopt;
    }

    std::optional<cli::Msg> openEntry(std::size_t number, std::unique_ptr<BlockSource>& source) override {
        DirectoryEntry entry;
        if (auto problem = findNumbered(number, entry)) return problem;
        source = openChainedFile(image_, entry.start, argument_);
        return std::nullopt;
    }

    std::optional<cli::Msg> openFirstMatch(const NamePattern& pattern, std::unique_ptr<BlockSource>& source) override {
        DirectoryEntry entry;
        if (auto problem = findFirstMatch(pattern, entry)) return problem;
        source = openChainedFile(image_, entry.start, argument_);
        return std::nullopt;
    }

    // What the drive reads for the file: its data sectors and, for a REL
    // file, its side sectors after them.
    std::optional<cli::Msg> openEntrySectors(std::size_t number, const NamePattern& pattern, const std::string&,
                                             std::unique_ptr<BlockSource>& source) override {
        DirectoryEntry entry;
        if (auto problem = number > 0 ? findNumbered(number, entry) : findFirstMatch(pattern, entry)) return problem;
        std::vector<Location> starts{entry.start};
        constexpr std::uint8_t relativeFile = 4;
        if (entry.fileType() == relativeFile && entry.sideSectors.track != 0) starts.push_back(entry.sideSectors);
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
    // Every entry the listing shows counts, DEL entries included.
    std::optional<cli::Msg> findNumbered(std::size_t number, DirectoryEntry& found) {
        return find([number, seen = std::size_t{0}](const DirectoryEntry&) mutable { return ++seen == number; },
                    found);
    }

    // Entries of type DEL are listed but never loaded by name.
    std::optional<cli::Msg> findFirstMatch(const NamePattern& pattern, DirectoryEntry& found) {
        return find(
            [&pattern](const DirectoryEntry& entry) { return entry.fileType() != 0 && pattern.matches(entry.name); },
            found);
    }

    template <typename Wanted>
    std::optional<cli::Msg> find(Wanted wanted, DirectoryEntry& found) {
        DirectoryReader directory(image_, argument_);
        while (auto entry = directory.next()) {
            if (!wanted(*entry)) continue;
            found = *entry;
            return std::nullopt;
        }
        if (directory.failure()) return directory.failure();
        return pathMessage(argument_, "': no such file in the disk image");
    }

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

std::unique_ptr<Container> recognizeDiskImage(const std::shared_ptr<ImageFile>& file, const std::string& argument) {
    const std::optional<Layout> layout = layoutForSize(file->size());
    if (!layout) return nullptr;
    return openDiskContainer(DiskImage(*layout, file), argument);
}

}  // namespace nuk
