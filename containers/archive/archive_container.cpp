// What every kind of archive shares: its container and reading an entry.

#include "containers/archive/archive_container.hpp"

#include <utility>

#include "containers/archive/archive_faults.hpp"

namespace nuk::archive {

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

}  // namespace nuk::archive
