// What every kind of archive shares: its container, reading an entry, and
// the name padding.

#include "containers/archive/archive_container.hpp"

#include <algorithm>
#include <utility>

#include "containers/archive/archive_faults.hpp"

namespace nuk::archive {

std::uint16_t blocksFor(std::uint64_t bytes) {
    constexpr std::uint64_t blockBytes = 254;
    return static_cast<std::uint16_t>(std::min<std::uint64_t>((bytes + blockBytes - 1) / blockBytes, 0xFFFF));
}

std::optional<disk::ListedEntry> ArchiveReader::nextListed() {
    std::optional<ArchivedFile> entry = next();
    if (entry) last_ = *entry;
    return entry;
}

std::unique_ptr<BlockSource> ArchiveReader::openLast() {
    return openFilePiece(file_, last_, argument_, [argument = argument_](auto delivered, auto expected) {
        return endsInsideEntry(argument, delivered, expected);
    });
}

std::optional<cli::Msg> ArchiveContainer::readHeader(disk::DiskHeader& listed) {
    listed = header();
    return std::nullopt;
}

std::optional<cli::Msg> ArchiveContainer::entries(std::unique_ptr<disk::EntryReader>& walk) {
    walk = directory();
    return std::nullopt;
}

cli::Msg ArchiveContainer::noSuchEntry(std::size_t) const { return noSuchFile(argument_); }

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
