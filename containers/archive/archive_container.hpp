#pragma once
// Archives of Commodore files (T64 tape archives, PC64 files, Lynx
// archives): a directory of entries whose bytes lie one after another in the
// archive file. Every kind describes its entries as ArchivedFiles; reading
// them is shared.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "containers/container.hpp"
#include "containers/file_piece_source.hpp"
#include "containers/image_file.hpp"
#include "containers/listed_entry.hpp"

namespace nuk::archive {

// An entry as the directory describes it: what the listing shows, and where
// its bytes are. It is delivered as its load address (when the archive keeps
// it apart from the data, as a T64 does) followed by `length` bytes from
// `offset`; bytes the archive file does not hold are missing.
struct ArchivedFile : disk::ListedEntry, FilePiece {};

// The entries of one archive in directory order. A damaged directory ends
// the walk with its message in failure().
class ArchiveReader : public disk::EntryReader {
public:
    ArchiveReader(std::shared_ptr<disk::ImageFile> file, std::string argument)
        : file_(std::move(file)), argument_(std::move(argument)) {}

    std::optional<disk::ListedEntry> nextListed() final;
    const std::optional<cli::Msg>& failure() const final { return failure_; }
    // The entry's bytes from its place in the archive file.
    std::unique_ptr<BlockSource> openLast() final;

protected:
    virtual std::optional<ArchivedFile> next() = 0;

    const std::shared_ptr<disk::ImageFile> file_;
    const std::string argument_;
    std::optional<cli::Msg> failure_;

private:
    ArchivedFile last_;
};

class ArchiveContainer : public Container {
public:
    ArchiveContainer(std::shared_ptr<disk::ImageFile> file, std::string argument)
        : file_(std::move(file)), argument_(std::move(argument)) {}

    std::optional<cli::Msg> readHeader(disk::DiskHeader& header) final;
    std::optional<cli::Msg> entries(std::unique_ptr<disk::EntryReader>& walk) final;
    cli::Msg noSuchEntry(std::size_t entriesSeen) const final;

protected:
    // The header line of the listing: the archive's name; archives have no
    // free blocks.
    virtual disk::DiskHeader header() const = 0;
    // A walk through the entries from the first; each walk reads on its own.
    virtual std::unique_ptr<ArchiveReader> directory() const = 0;

    const std::shared_ptr<disk::ImageFile> file_;
    const std::string argument_;
};

}  // namespace nuk::archive
