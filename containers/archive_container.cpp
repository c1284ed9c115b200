// What every kind of archive shares: the listing, finding an entry, and
// the name padding.

#include "containers/archive_container.hpp"

#include <algorithm>
#include <utility>

#include "containers/archive_faults.hpp"
#include "containers/directory_listing.hpp"

namespace nuk::archive {

std::uint16_t blocksFor(std::uint64_t bytes) {
    constexpr std::uint64_t blockBytes = 254;
    return static_cast<std::uint16_t>(std::min<std::uint64_t>((bytes + blockBytes - 1) / blockBytes, 0xFFFF));
}

std::optional<cli::Msg> ArchiveContainer::list(std::optional<disk::NamePattern> pattern,
                                               std::unique_ptr<BlockSource>& source) {
    source = disk::openDirectoryListing(header(), entries(), std::move(pattern));
    return std::nullopt;
}

std::optional<cli::Msg> ArchiveContainer::openEntry(std::size_t number, std::unique_ptr<BlockSource>& source) {
    return openFound([number, seen = std::size_t{0}](const ArchivedFile&) mutable { return ++seen == number; },
                     source);
}

std::optional<cli::Msg> ArchiveContainer::openFirstMatch(const disk::NamePattern& pattern,
                                                         std::unique_ptr<BlockSource>& source) {
    return openFound(
        [&pattern](const ArchivedFile& entry) { return entry.fileType() != 0 && pattern.matches(entry.name); },
        source);
}

template <typename Wanted>
std::optional<cli::Msg> ArchiveContainer::openFound(Wanted wanted, std::unique_ptr<BlockSource>& source) {
    const std::unique_ptr<ArchiveReader> reader = entries();
    while (auto entry = reader->next()) {
        if (!wanted(*entry)) continue;
        source = openFilePiece(file_, *entry, argument_, [argument = argument_](auto delivered, auto expected) {
            return endsInsideEntry(argument, delivered, expected);
        });
        return std::nullopt;
    }
    if (reader->failure()) return reader->failure();
    return noSuchFile(argument_);
}

disk::DiskName paddedName(const std::uint8_t* bytes, std::size_t length) {
    disk::DiskName name;
    name.fill(disk::namePadding);
    length = std::min(length, name.size());
    std::copy_n(bytes, length, name.begin());
    auto isPadding = [](std::uint8_t byte) { return byte == ' ' || byte == disk::namePadding || byte == 0; };
    for (std::size_t end = length; end > 0 && isPadding(name[end - 1]); --end) name[end - 1] = disk::namePadding;
    return name;
}

disk::DiskHeader headerNamed(const disk::DiskName& name) {
    disk::DiskHeader header;
    header.name = name;
    header.idAndDosType.fill(' ');
    header.freeBlocks = 0;
    return header;
}

}  // namespace nuk::archive
