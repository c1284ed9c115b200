// A T64 tape archive as a container: a 64-byte header, a directory of
// 32-byte slots from $40, and the entries' data at the offsets the slots
// give.
//
//   header  $00 signature "C64..." (32 bytes)  $22 directory slots (2)
//           $24 used entries (2)  $28 tape name (24 bytes)
//   slot    $00 entry type (0 free, 1 file, 3 memory snapshot; the others
//           hold no file)  $02 start address (2)  $04 end address (2, one
//           past the last byte)  $08 offset of the data (4)  $10 name (16)
//
// An entry is delivered as a PRG: its start address, then its data.

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <iterator>
#include <vector>

#include "containers/archive/archive_container.hpp"
#include "containers/archive/archive_faults.hpp"
#include "containers/container_kinds.hpp"
#include "containers/stored_numbers.hpp"

namespace nuk {

namespace {

using namespace archive;

constexpr std::size_t headerSize = 0x40;
constexpr std::size_t slotSize = 32;
constexpr std::size_t signatureLength = 32;
constexpr std::size_t nameLength = 16;  // of the tape name's 24 bytes, as many as a listing shows

// Where the fields lie in the header and in a directory slot.
namespace headerField {
constexpr std::size_t slots = 0x22, usedEntries = 0x24, tapeName = 0x28;
}  // namespace headerField
namespace slotField {
constexpr std::size_t type = 0x00, start = 0x02, end = 0x04, dataOffset = 0x08, name = 0x10;
}  // namespace slotField

constexpr std::uint8_t normalFile = 1;
constexpr std::uint8_t memorySnapshot = 3;
// A widely used converter wrote this end address into every entry.
constexpr std::uint16_t placeholderEnd = 0xC3C6;

// The signatures the tape archives in the wild start with; what follows
// them in the 32 bytes is padding, zero bytes or spaces. A TAP file
// ("C64-TAPE-RAW"), a PC64 file ("C64File") and a cartridge image start
// with "C64" too, and are none of them.
constexpr const char* signatures[] = {"C64 tape image file", "C64S tape file", "C64S tape image file"};

bool isT64Signature(const std::uint8_t* signature) {
    return std::any_of(std::begin(signatures), std::end(signatures), [signature](const char* known) {
        return std::memcmp(signature, known, std::strlen(known)) == 0;
    });
}

struct Slot {
    ArchivedFile file;
    std::uint16_t end = 0;
};

// The archive's directory, read once: every entry's length depends on where
// the other entries' data starts.
struct T64Directory {
    disk::DiskHeader header;
    std::vector<ArchivedFile> files;
    std::optional<cli::Msg> failure;  // after the files
};

// The slots that hold a file, in directory order. The directory ends at its
// slot count, at the end of the file, or where the first entry's data
// starts, whichever comes first.
std::vector<Slot> readSlots(disk::ImageFile& file, const std::string& argument, unsigned slotCount,
                            std::optional<cli::Msg>& failure) {
    std::vector<Slot> slots;
    std::uint64_t dataStart = file.size();
    for (unsigned index = 0; index < slotCount; ++index) {
        const std::uint64_t at = headerSize + std::uint64_t{index} * slotSize;
        if (at >= dataStart && at < file.size()) break;
        std::uint8_t raw[slotSize];
        if (!file.readAt(at, raw, slotSize)) {
            failure = at + slotSize > file.size() ? endsInsideDirectory(argument) : disk::imageReadFailed(argument, errno);
            break;
        }
        const std::uint8_t type = raw[slotField::type];
        if (type != normalFile && type != memorySnapshot) continue;
        Slot slot;
        slot.file.type = disk::closedPrg;
        slot.file.name = disk::paddedName(raw + slotField::name, nameLength);
        slot.file.loadAddress = littleEndian16(raw + slotField::start);
        slot.file.offset = littleEndian(raw + slotField::dataOffset, 4);
        slot.end = littleEndian16(raw + slotField::end);
        dataStart = std::min(dataStart, slot.file.offset);
        slots.push_back(slot);
    }
    return slots;
}

std::uint64_t lengthByAddresses(const Slot& slot) {
    return static_cast<std::uint16_t>(slot.end - *slot.file.loadAddress);  // an end of $0000 is $10000
}

// An end address is honest when the data it gives fits before the next
// entry's data and in the file; the converter's placeholder never is. An
// honest end address decides, also for the last entry of an archive with
// unused bytes after it; any other entry's data runs up to the next entry's
// data, or to the end of the archive. Only where every end address agrees
// with the offsets are they trusted to say that the last entry, or one whose
// data lies past the end, is longer than the file holds: the archive was cut
// short.
void settleLengths(std::vector<Slot>& slots, std::uint64_t fileSize) {
    std::vector<std::uint64_t> offsets;
    for (const Slot& slot : slots) offsets.push_back(slot.file.offset);
    std::sort(offsets.begin(), offsets.end());
    auto nextData = [&](const Slot& slot) {
        const auto next = std::upper_bound(offsets.begin(), offsets.end(), slot.file.offset);
        return next == offsets.end() ? fileSize : *next;
    };
    bool addressesAgree = true;
    for (const Slot& slot : slots) {
        const std::uint64_t next = nextData(slot);
        const bool last = next >= fileSize;
        if (slot.end == placeholderEnd || (!last && lengthByAddresses(slot) != next - slot.file.offset))
            addressesAgree = false;
    }
    for (Slot& slot : slots) {
        const std::uint64_t next = nextData(slot);
        const std::uint64_t byOffsets = next > slot.file.offset ? next - slot.file.offset : 0;
        const std::uint64_t byAddresses = lengthByAddresses(slot);
        const bool honest = slot.end != placeholderEnd && byAddresses > 0 && byAddresses <= byOffsets;
        const bool longerThanFile = next >= fileSize && byAddresses > byOffsets;
        slot.file.length = honest || (addressesAgree && longerThanFile) ? byAddresses : byOffsets;
        slot.file.blocks = disk::blocksFor(2 + slot.file.length);
    }
}

T64Directory readDirectory(disk::ImageFile& file, const std::string& argument) {
    T64Directory directory;
    std::uint8_t header[headerSize] = {};
    if (!file.readAt(0, header, headerSize)) {
        directory.header = disk::headerNamed(disk::paddedName(header, 0));
        directory.failure = endsInsideDirectory(argument);
        return directory;
    }
    directory.header = disk::headerNamed(disk::paddedName(header + headerField::tapeName, nameLength));
    // Some archives count their slots only in the used entries' field.
    const unsigned slotCount =
        std::max(littleEndian16(header + headerField::slots), littleEndian16(header + headerField::usedEntries));
    std::vector<Slot> slots = readSlots(file, argument, slotCount, directory.failure);
    settleLengths(slots, file.size());
    for (const Slot& slot : slots) directory.files.push_back(slot.file);
    return directory;
}

class T64Reader final : public ArchiveReader {
public:
    T64Reader(std::shared_ptr<disk::ImageFile> file, std::string argument,
              std::shared_ptr<const T64Directory> directory)
        : ArchiveReader(std::move(file), std::move(argument)), directory_(std::move(directory)) {}

private:
    std::optional<ArchivedFile> next() override {
        if (index_ < directory_->files.size()) return directory_->files[index_++];
        failure_ = directory_->failure;
        return std::nullopt;
    }

    const std::shared_ptr<const T64Directory> directory_;
    std::size_t index_ = 0;
};

class T64Archive final : public ArchiveContainer {
public:
    T64Archive(std::shared_ptr<disk::ImageFile> file, std::string argument)
        : ArchiveContainer(std::move(file), std::move(argument)),
          directory_(std::make_shared<T64Directory>(readDirectory(*file_, argument_))) {}

protected:
    disk::DiskHeader header() const override { return directory_->header; }
    std::unique_ptr<ArchiveReader> directory() const override {
        return std::make_unique<T64Reader>(file_, argument_, directory_);
    }

private:
    const std::shared_ptr<const T64Directory> directory_;
};

}  // namespace

std::unique_ptr<Container> recognizeT64Archive(const std::shared_ptr<disk::ImageFile>& file,
                                               const std::string& argument) {
    std::uint8_t signature[signatureLength];
    if (!file->readAt(0, signature, sizeof signature) || !isT64Signature(signature)) return nullptr;
    return std::make_unique<T64Archive>(file, argument);
}

}  // namespace nuk
