// A Lynx archive as a container. It starts with a small BASIC program
// (loaded at $0801, ending with three zero bytes) that tells the user to
// dissolve the archive, then its directory as text fields, each ended by a
// CR:
//   the blocks of 254 bytes the program and directory take, and a
//   signature with "LYNX" in it (in one field or two);
//   the number of entries;
//   per entry: the name (16 bytes, $A0 padded), its length in blocks, its
//   type letter (P, S, U, R, D), for REL files the record length, and the
//   bytes used in its last block plus one.
// Numbers are decimal, with spaces around them or not. The entries' data
// follows the directory's blocks, each entry in as many whole blocks as it
// takes.

#include <algorithm>
#include <cerrno>
#include <vector>

#include "containers/archive/archive_container.hpp"
#include "containers/archive/archive_faults.hpp"
#include "containers/container_kinds.hpp"
#include "containers/stored_numbers.hpp"
#include "files/file.hpp"

namespace nuk {

namespace {

using namespace archive;

constexpr std::uint16_t basicStart = 0x0801;  // the BASIC program's load address
constexpr std::uint8_t fieldEnd = 0x0D;
constexpr std::size_t longestField = 32;        // a name is 16 bytes; anything longer is no directory
constexpr std::size_t longestBasicStub = 2048;  // where the three zero bytes must have come by

using Field = std::vector<std::uint8_t>;

// The archive file read forward a field at a time, up to a limit, through a
// small buffer.
class FieldReader {
public:
    FieldReader(disk::ImageFile& file, std::uint64_t position, std::uint64_t limit)
        : file_(file), position_(position), limit_(std::min(limit, file.size())), fileEndsFirst_(limit > file.size()) {}

    enum class Outcome { field, pastLimit, unreadable, tooLong };

    // The bytes up to the next CR, which is passed over.
    Outcome next(Field& field) {
        field.clear();
        for (;;) {
            std::uint8_t byte;
            if (position_ >= limit_) return Outcome::pastLimit;
            if (!nextByte(byte)) return Outcome::unreadable;
            if (byte == fieldEnd) return Outcome::field;
            if (field.size() == longestField) return Outcome::tooLong;
            field.push_back(byte);
        }
    }

    // False at the limit and where the file cannot be read.
    bool nextByte(std::uint8_t& byte) {
        if (position_ >= limit_) return false;
        if (position_ < bufferStart_ || position_ >= bufferStart_ + buffered_) {
            const auto want = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof buffer_, limit_ - position_));
            if (!file_.readAt(position_, buffer_, want)) return false;
            bufferStart_ = position_;
            buffered_ = want;
        }
        byte = buffer_[position_++ - bufferStart_];
        return true;
    }

    std::uint64_t position() const { return position_; }
    // Whether the limit that stopped a read was the end of the file.
    bool fileEndsFirst() const { return fileEndsFirst_; }

private:
    disk::ImageFile& file_;
    std::uint64_t position_;
    const std::uint64_t limit_;
    const bool fileEndsFirst_;
    std::uint8_t buffer_[512];
    std::uint64_t bufferStart_ = 0;
    std::size_t buffered_ = 0;
};

// A decimal number with spaces around it, and where it ended; nothing for a
// field that starts with anything else. Nine digits at most.
std::optional<std::uint64_t> leadingNumber(const Field& field, std::size_t& end) {
    std::size_t at = 0;
    while (at < field.size() && field[at] == ' ') ++at;
    const std::size_t first = at;
    std::uint64_t number = 0;
    for (; at < field.size() && field[at] >= '0' && field[at] <= '9'; ++at) {
        if (at - first == 9) return std::nullopt;
        number = number * 10 + (field[at] - '0');
    }
    if (at == first) return std::nullopt;
    while (at < field.size() && field[at] == ' ') ++at;
    end = at;
    return number;
}

std::optional<std::uint64_t> numberField(const Field& field) {
    std::size_t end = 0;
    const auto number = leadingNumber(field, end);
    if (!number || end != field.size()) return std::nullopt;
    return number;
}

// "LYNX" in PETSCII's letters, unshifted or shifted, or in ASCII lower case.
bool holdsSignature(const Field& field, std::size_t from) {
    static const char letters[] = "LYNX";
    for (std::size_t i = from; i + 4 <= field.size(); ++i) {
        bool found = true;
        for (std::size_t k = 0; k < 4 && found; ++k) {
            const std::uint8_t byte = field[i + k], letter = static_cast<std::uint8_t>(letters[k]);
            found = byte == letter || byte == (letter | 0x20) || byte == (letter | 0x80);
        }
        if (found) return true;
    }
    return false;
}

// The closed file type of a type letter, with spaces around it or not.
std::optional<std::uint8_t> typeOfLetter(const Field& field) {
    std::optional<std::uint8_t> type;
    for (std::uint8_t byte : field) {
        if (byte == ' ') continue;
        if (type) return std::nullopt;
        const std::optional<std::uint8_t> named = disk::fileTypeOfLetter(byte);
        if (!named) return std::nullopt;
        type = disk::closedFile | *named;
    }
    return type;
}

// Where the directory is: read once, when the archive is recognised.
struct LynxLayout {
    std::uint64_t entriesAt;    // the first entry's name field
    std::uint64_t directoryEnd; // where the first entry's data starts
    std::uint64_t entryCount;
};

// The BASIC program's end, then the block count and the signature, then the
// entry count; nothing when the file is no Lynx archive.
std::optional<LynxLayout> readLayout(disk::ImageFile& file) {
    std::uint8_t loadAddress[2];
    if (!file.readAt(0, loadAddress, sizeof loadAddress) || littleEndian16(loadAddress) != basicStart)
        return std::nullopt;
    FieldReader program(file, sizeof loadAddress, longestBasicStub);
    std::uint8_t byte;
    for (unsigned zeros = 0; zeros < 3;) {
        if (!program.nextByte(byte)) return std::nullopt;
        zeros = byte == 0 ? zeros + 1 : 0;
    }
    FieldReader fields(file, program.position(), UINT64_MAX);
    Field field;
    if (fields.next(field) != FieldReader::Outcome::field) return std::nullopt;
    if (field.empty() && fields.next(field) != FieldReader::Outcome::field) return std::nullopt;  // a CR after the program
    std::size_t signatureAt = 0;
    const auto blocks = leadingNumber(field, signatureAt);
    if (!blocks) return std::nullopt;
    if (!holdsSignature(field, signatureAt)) {
        if (fields.next(field) != FieldReader::Outcome::field || !holdsSignature(field, 0)) return std::nullopt;
    }
    if (fields.next(field) != FieldReader::Outcome::field) return std::nullopt;
    const auto count = numberField(field);
    if (!count) return std::nullopt;
    return LynxLayout{fields.position(), *blocks * disk::blockDataBytes, *count};
}

class LynxReader final : public ArchiveReader {
public:
    LynxReader(std::shared_ptr<disk::ImageFile> file, const LynxLayout& layout, std::string argument)
        : ArchiveReader(file, std::move(argument)), fields_(*file, layout.entriesAt, layout.directoryEnd),
          left_(layout.entryCount), dataAt_(layout.directoryEnd) {}

private:
    std::optional<ArchivedFile> next() override {
        if (left_ == 0 || failure_) return std::nullopt;
        Field name, blocks, type, last;
        if (!read(name) || !read(blocks) || !read(type)) return std::nullopt;
        const auto blockCount = numberField(blocks);
        const auto fileType = typeOfLetter(type);
        if (!blockCount || !fileType) return damaged();
        if ((*fileType & 0x0F) == disk::fileType::rel) {
            Field recordLength;
            if (!read(recordLength)) return std::nullopt;
            if (!numberField(recordLength)) return damaged();
        }
        if (!read(last)) return std::nullopt;
        const auto lastValue = numberField(last);
        // The last block holds one byte less than the value: 1 to 255.
        if (!lastValue || (*blockCount > 0 && (*lastValue < 1 || *lastValue > disk::blockDataBytes + 1))) return damaged();
        ArchivedFile entry;
        entry.type = *fileType;
        entry.name = disk::paddedName(name.data(), name.size());
        entry.blocks = static_cast<std::uint16_t>(std::min<std::uint64_t>(*blockCount, 0xFFFF));
        entry.offset = dataAt_;
        entry.length = *blockCount == 0 ? 0 : (*blockCount - 1) * disk::blockDataBytes + (*lastValue - 1);
        dataAt_ += *blockCount * disk::blockDataBytes;
        --left_;
        return entry;
    }

    bool read(Field& field) {
        switch (fields_.next(field)) {
        case FieldReader::Outcome::field: return true;
        case FieldReader::Outcome::unreadable: failure_ = disk::imageReadFailed(argument_, errno); return false;
        case FieldReader::Outcome::pastLimit:
            if (fields_.fileEndsFirst()) {
                failure_ = endsInsideDirectory(argument_);
                return false;
            }
            break;
        case FieldReader::Outcome::tooLong: break;
        }
        damaged();
        return false;
    }

    std::optional<ArchivedFile> damaged() {
        failure_ = directoryDamaged(argument_);
        return std::nullopt;
    }

    FieldReader fields_;
    std::uint64_t left_;
    std::uint64_t dataAt_;
};

// The archive has no name of its own: the listing shows its file's name
// without the extension, its letters as PETSCII's unshifted ones.
disk::DiskName nameOfArchiveFile(const std::string& path) {
    std::string name = baseName(path);
    const std::size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    Field bytes;
    for (char c : name.substr(0, 16)) {
        const auto byte = static_cast<std::uint8_t>(c);
        if (byte >= 'a' && byte <= 'z') bytes.push_back(static_cast<std::uint8_t>(byte - 0x20));
        else if (byte >= 0x20 && byte < 0x7F) bytes.push_back(byte);
        else bytes.push_back('?');
    }
    return disk::paddedName(bytes.data(), bytes.size());
}

class LynxArchive final : public ArchiveContainer {
public:
    LynxArchive(std::shared_ptr<disk::ImageFile> file, std::string argument, const LynxLayout& layout)
        : ArchiveContainer(std::move(file), std::move(argument)), layout_(layout) {}

protected:
    disk::DiskHeader header() const override { return disk::headerNamed(nameOfArchiveFile(splitSelector(argument_).first)); }
    std::unique_ptr<ArchiveReader> directory() const override {
        return std::make_unique<LynxReader>(file_, layout_, argument_);
    }

private:
    const LynxLayout layout_;
};

}  // namespace

std::unique_ptr<Container> recognizeLynxArchive(const std::shared_ptr<disk::ImageFile>& file,
                                                const std::string& argument) {
    const std::optional<LynxLayout> layout = readLayout(*file);
    if (!layout) return nullptr;
    return std::make_unique<LynxArchive>(file, argument, *layout);
}

}  // namespace nuk
