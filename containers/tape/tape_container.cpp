// A TAP file as a container: the files the ROM's loader would find on the
// tape are the entries, listed as a drive lists a disk, under the name of
// the first file.

#include <utility>

#include "containers/container_kinds.hpp"
#include "containers/entry_choice.hpp"
#include "containers/tape/tap_file.hpp"
#include "containers/tape/tape_directory.hpp"
#include "containers/tape/tape_faults.hpp"
#include "containers/tape/tape_file_source.hpp"

namespace nuk {

namespace {

using namespace tape;

// The walk, which opens the file it reached as the machine loads it.
class TapeEntries final : public TapeDirectory {
public:
    using TapeDirectory::TapeDirectory;
    std::unique_ptr<BlockSource> openLast() override { return openTapeFile(file(), header(), last(), argument()); }
};

class TapeContainer final : public Container {
public:
    TapeContainer(std::shared_ptr<disk::ImageFile> file, std::optional<TapHeader> header, std::string argument)
        : file_(std::move(file)), header_(header), argument_(std::move(argument)) {}

    std::optional<cli::Msg> readHeader(disk::DiskHeader& header) override {
        std::unique_ptr<disk::EntryReader> firstFiles;
        if (auto refusal = entries(firstFiles)) return refusal;
        const std::optional<disk::ListedEntry> first = firstFiles->nextListed();
        if (!first) return nothingFound(*firstFiles, 0, *this);
        header = disk::headerNamed(first->name);
        return std::nullopt;
    }

    // Tapes this reader cannot take at all are refused.
    std::optional<cli::Msg> entries(std::unique_ptr<disk::EntryReader>& walk) override {
        if (!header_) return endsInsideHeader(argument_);
        if (header_->version > 2) return unknownVersion(argument_, header_->version);
        if (header_->platform == static_cast<std::uint8_t>(Platform::c16)) return c16TapeNotDecoded(argument_);
        walk = std::make_unique<TapeEntries>(file_, *header_, argument_);
        return std::nullopt;
    }

    cli::Msg noSuchEntry(std::size_t entriesSeen) const override {
        return entriesSeen > 0 ? noSuchFile(argument_) : noFileInRomFormat(argument_);
    }

private:
    const std::shared_ptr<disk::ImageFile> file_;
    const std::optional<TapHeader> header_;
    const std::string argument_;
};

}  // namespace

std::unique_ptr<Container> recognizeTapFile(const std::shared_ptr<disk::ImageFile>& file,
                                            const std::string& argument) {
    if (!hasTapSignature(*file)) return nullptr;
    return std::make_unique<TapeContainer>(file, readTapHeader(*file), argument);
}

}  // namespace nuk
