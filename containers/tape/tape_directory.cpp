// Walking a tape from header to header.

#include "containers/tape/tape_directory.hpp"

#include "containers/stored_numbers.hpp"
#include "containers/tape/tape_faults.hpp"

namespace nuk::tape {

namespace {

constexpr std::uint8_t relocatableProgram = 1;
constexpr std::uint8_t dataFileBlock = 2;
constexpr std::uint8_t program = 3;
constexpr std::uint8_t dataFileHeader = 4;
constexpr std::uint8_t endOfTape = 5;
// Where a header's fields lie.
namespace headerField {
constexpr std::size_t start = 1, end = 3, name = 5;
}  // namespace headerField

bool isHeaderType(std::uint8_t type) {
    return type == relocatableProgram || type == program || type == dataFileHeader || type == endOfTape;
}

}  // namespace

// A header whose type byte is damaged in both copies is still a header, so
// that its damage is told.
bool isHeader(const RecordCopies& record) {
    const std::optional<std::uint8_t> type = record.firstByte();
    return record.longestCopy() == headerLength + 1 && (!type || isHeaderType(*type));
}

bool isDataFileBlock(const RecordCopies& record) {
    return record.longestCopy() == dataFileBlockLength + 1 && record.firstByte() == dataFileBlock;
}

TapeDirectory::TapeDirectory(std::shared_ptr<disk::ImageFile> file, const TapHeader& header, std::string argument)
    : file_(file), header_(header), argument_(std::move(argument)), reader_(std::move(file), header) {}

std::optional<TapeFile> TapeDirectory::next() {
    if (ended_) return std::nullopt;
    while (std::optional<RecordCopies> record = nextRecord()) {
        if (!isHeader(*record)) continue;
        const Record header = mend(*record, headerLength);
        if (header.damage) {
            failure_ = tapeDamaged(argument_, header_, *header.damage, BlockRole::header);
            ended_ = true;
            return std::nullopt;
        }
        lastEnd_ = record->end;
        const std::uint8_t type = header.data[0];
        if (type == endOfTape) break;
        if (!isHeaderType(type)) continue;  // a block mended into no header after all
        TapeFile file;
        file.name = disk::paddedName(header.data.data() + headerField::name, 16);
        file.start = littleEndian16(header.data.data() + headerField::start);
        file.headerEnd = record->end;
        if (type == dataFileHeader) {
            file.type = disk::closedSeq;
            file.dataFile = true;
            file.dataFrom = reader_.position();
            countDataBlocks(file);
        } else {
            file.type = disk::closedPrg;
            file.length = static_cast<std::uint16_t>(littleEndian16(header.data.data() + headerField::end) - file.start);
            file.blocks = disk::blocksFor(2 + std::uint64_t{file.length});
            readProgram(file);
        }
        found_ = true;
        last_ = file;
        return file;
    }
    finish();
    return std::nullopt;
}

std::optional<RecordCopies> TapeDirectory::nextRecord() {
    if (pendingHeader_) return std::exchange(pendingHeader_, std::nullopt);
    return reader_.nextRecord();
}

// The record after a program's header is its data, unless it is a header
// and the data would not be as long: then the data block is missing.
void TapeDirectory::readProgram(TapeFile& file) {
    std::optional<RecordCopies> record = reader_.nextRecord();
    if (!record) return;
    if (isHeader(*record) && record->longestCopy() != file.length + std::size_t{1}) {
        pendingHeader_ = std::move(record);
        return;
    }
    file.program = mend(*record, file.length);
    lastEnd_ = record->end;
}

void TapeDirectory::countDataBlocks(TapeFile& file) {
    std::uint64_t blocks = 0;
    while (std::optional<RecordCopies> record = reader_.nextRecord()) {
        if (!isDataFileBlock(*record)) {
            pendingHeader_ = std::move(record);
            break;
        }
        ++blocks;
        lastEnd_ = record->end;
    }
    file.blocks = disk::blocksFor(blocks * (dataFileBlockLength - 1));
}

// After the last file: the trailer of short pulses its last block ends
// with, then whatever the ROM would not read, told in a note.
void TapeDirectory::finish() {
    ended_ = true;
    if (!found_) return;
    PulseReader rest(file_, header_, lastEnd_);
    std::uint64_t sum = 0, count = 0;
    TapePosition from = lastEnd_;
    while (const std::optional<std::uint32_t> cycles = rest.next()) {
        if (count > 0 && !continuesRun(*cycles, sum, count)) break;
        sum += *cycles;
        ++count;
        from = rest.position();
    }
    while (rest.next()) {
    }
    const std::uint64_t left = rest.position().pulse - from.pulse;
    if (left > 0) failure_ = pulsesLeft(argument_, header_, left, from);
}

}  // namespace nuk::tape
