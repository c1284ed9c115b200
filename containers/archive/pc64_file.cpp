// A PC64 file as a container of one entry: a 26-byte header, then the
// file's bytes (a PRG's load address included).
//
//   $00 "C64File" and a zero byte  $08 the name (16 bytes, zero padded)
//   $19 the record length of a REL file  $1A the file's bytes
//
// The extension's letter says the type: .P00 PRG, .S00 SEQ, .U00 USR,
// .R00 REL, .D00 DEL (and the other two-digit numbers).

#include <cstring>

#include "containers/archive/archive_container.hpp"
#include "containers/archive/archive_faults.hpp"
#include "containers/container_kinds.hpp"

namespace nuk {

namespace {

using namespace archive;

constexpr std::size_t headerSize = 0x1A;
constexpr std::size_t nameField = 0x08;
constexpr char signature[8] = {'C', '6', '4', 'F', 'i', 'l', 'e', '\0'};

// The closed file type the extension's letter names; a name without one is
// taken for a PRG.
std::uint8_t typeNamedBy(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    const char letter = dot == std::string::npos || dot + 1 >= path.size() ? 'p' : path[dot + 1];
    const auto named = disk::fileTypeOfLetter(static_cast<std::uint8_t>(letter));
    return disk::closedFile | named.value_or(disk::fileType::prg);
}

// The name as the disk it came from held it: a space at its end is part of
// it, only the zero padding ends it.
disk::DiskName zeroPaddedName(const std::uint8_t* bytes) {
    disk::DiskName name;
    name.fill(disk::namePadding);
    for (std::size_t i = 0; i < name.size() && bytes[i] != 0; ++i) name[i] = bytes[i];
    return name;
}

class Pc64Reader final : public ArchiveReader {
public:
    Pc64Reader(std::shared_ptr<disk::ImageFile> file, std::string argument, std::optional<ArchivedFile> entry,
               std::optional<cli::Msg> failure)
        : ArchiveReader(std::move(file), std::move(argument)), entry_(std::move(entry)) {
        failure_ = std::move(failure);
    }

private:
    std::optional<ArchivedFile> next() override {
        std::optional<ArchivedFile> entry;
        entry.swap(entry_);
        return entry;
    }

    std::optional<ArchivedFile> entry_;
};

class Pc64File final : public ArchiveContainer {
public:
    Pc64File(std::shared_ptr<disk::ImageFile> file, std::string argument)
        : ArchiveContainer(std::move(file), std::move(argument)) {
        std::uint8_t header[headerSize];
        if (!file_->readAt(0, header, headerSize)) return;
        ArchivedFile entry;
        entry.type = typeNamedBy(splitSelector(argument_).first);
        entry.name = zeroPaddedName(header + nameField);
        entry.offset = headerSize;
        entry.length = file_->size() - headerSize;
        entry.blocks = disk::blocksFor(entry.length);
        entry_ = entry;
    }

protected:
    disk::DiskHeader header() const override {
        disk::DiskName name;
        name.fill(disk::namePadding);
        return disk::headerNamed(entry_ ? entry_->name : name);
    }

    // A header cut short leaves no entry, and says so after the listing's header line.
    std::unique_ptr<ArchiveReader> directory() const override {
        std::optional<cli::Msg> failure;
        if (!entry_) failure = endsInsideDirectory(argument_);
        return std::make_unique<Pc64Reader>(file_, argument_, entry_, std::move(failure));
    }

private:
    std::optional<ArchivedFile> entry_;
};

}  // namespace

std::unique_ptr<Container> recognizePc64File(const std::shared_ptr<disk::ImageFile>& file,
                                             const std::string& argument) {
    std::uint8_t start[sizeof signature];
    if (!file->readAt(0, start, sizeof start) || std::memcmp(start, signature, sizeof signature) != 0) return nullptr;
    return std::make_unique<Pc64File>(file, argument);
}

}  // namespace nuk
