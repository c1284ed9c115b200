// A D64, D71, D81, D80 or D82 disk image as a container: its directory is the listing,
// its files are the entries.

#include <utility>

#include "containers/container.hpp"
#include "containers/container_kinds.hpp"
#include "containers/directory_listing.hpp"
#include "containers/disk_directory.hpp"
#include "containers/disk_file_source.hpp"
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

    // Every entry the listing shows counts, DEL entries included.
    std::optional<cli::Msg> openEntry(std::size_t number, std::unique_ptr<BlockSource>& source) override {
        return openFound([number, seen = std::size_t{0}](const DirectoryEntry&) mutable { return ++seen == number; },
                         source);
    }

    // Entries of type DEL are listed but never loaded by name.
    std::optional<cli::Msg> openFirstMatch(const NamePattern& pattern, std::unique_ptr<BlockSource>& source) override {
        return openFound(
            [&pattern](const DirectoryEntry& entry) { return entry.fileType() != 0 && pattern.matches(entry.name); },
            source);
    }

private:
    template <typename Wanted>
    std::optional<cli::Msg> openFound(Wanted wanted, std::unique_ptr<BlockSource>& source) {
        DirectoryReader directory(image_, argument_);
        while (auto entry = directory.next()) {
            if (!wanted(*entry)) continue;
            source = openChainedFile(image_, entry->start, argument_);
            return std::nullopt;
        }
        if (directory.failure()) return directory.failure();
        return pathMessage(argument_, "': no such file in the disk image");
    }

    DiskImage image_;
    const std::string argument_;
};

}  // namespace

std::unique_ptr<Container> recognizeDiskImage(const std::shared_ptr<ImageFile>& file, const std::string& argument) {
    const std::optional<Layout> layout = layoutForSize(file->size());
    if (!layout) return nullptr;
    return std::make_unique<DiskContainer>(DiskImage(*layout, file), argument);
}

}  // namespace nuk
