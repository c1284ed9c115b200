// A TAP file as a container: the files the ROM's loader would find on the
// tape are the entries, listed as a drive lists a disk, under the name of
// the first file.

#include <utility>

#include "containers/archive_container.hpp"
#include "containers/container_kinds.hpp"
#include "containers/directory_listing.hpp"
#include "containers/tape/tap_file.hpp"
#include "containers/tape/tape_directory.hpp"
#include "containers/tape/tape_faults.hpp"
#include "containers/tape/tape_file_source.hpp"

namespace nuk {

namespace {

using namespace tape;

bool isNote(const std::optional<cli::Msg>& message) { return message && message->severity == cli::severityNote; }

class TapeContainer final : public Container {
public:
    TapeContainer(std::shared_ptr<disk::ImageFile> file, std::optional<TapHeader> header, std::string argument)
        : file_(std::move(file)), header_(header), argument_(std::move(argument)) {}

    std::optional<cli::Msg> list(std::optional<disk::NamePattern> pattern,
                                 std::unique_ptr<BlockSource>& source) override {
        if (auto refusal = undecodable()) return refusal;
        TapeDirectory firstFiles = directory();
        const std::optional<TapeFile> first = firstFiles.next();
        if (!first) return whyNothing(firstFiles);
        source = disk::openDirectoryListing(archive::headerNamed(first->name),
                                            std::make_unique<TapeDirectory>(directory()), std::move(pattern));
        return std::nullopt;
    }

    std::optional<cli::Msg> openEntry(std::size_t number, std::unique_ptr<BlockSource>& source) override {
        return openFound([number, seen = std::size_t{0}](const TapeFile&) mutable { return ++seen == number; },
                         source);
    }

    std::optional<cli::Msg> openFirstMatch(const disk::NamePattern& pattern,
                                           std::unique_ptr<BlockSource>& source) override {
        return openFound([&pattern](const TapeFile& file) { return pattern.matches(file.name); }, source);
    }

private:
    TapeDirectory directory() const { return TapeDirectory(file_, *header_, argument_); }

    // Tapes this reader cannot take at all.
    std::optional<cli::Msg> undecodable() const {
        if (!header_) return endsInsideHeader(argument_);
        if (header_->version > 2) return unknownVersion(argument_, header_->version);
        if (header_->platform == static_cast<std::uint8_t>(Platform::c16)) return c16TapeNotDecoded(argument_);
        return std::nullopt;
    }

    // A walk that found nothing it was asked for: the damage that ended it,
    // or that there was nothing to find.
    std::optional<cli::Msg> whyNothing(const TapeDirectory& walked) const {
        if (walked.failure() && !isNote(walked.failure())) return walked.failure();
        return walked.foundAny() ? noSuchFile(argument_) : noFileInRomFormat(argument_);
    }

    template <typename Wanted>
    std::optional<cli::Msg> openFound(Wanted wanted, std::unique_ptr<BlockSource>& source) {
        if (auto refusal = undecodable()) return refusal;
        TapeDirectory walk = directory();
        while (const std::optional<TapeFile> file = walk.next()) {
            if (!wanted(*file)) continue;
            source = openTapeFile(file_, *header_, *file, argument_);
            return std::nullopt;
        }
        return whyNothing(walk);
    }

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
