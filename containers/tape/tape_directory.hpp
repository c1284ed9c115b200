#pragma once
// The files on a tape, as their headers give them, read from the first
// pulse on: each walk reads the tape on its own.
//
//   header  192 bytes: type (1 relocatable program, 3 program at its own
//           address, 4 data file, 5 end of tape), start address (2), end
//           address (2, one past the last byte), name (16, padded with
//           spaces), the rest unused
//   data    a program: one block of end - start bytes; a data file: blocks
//           of 192 bytes, each the type 2 and 191 bytes of the file
//
// Blocks of no file (whose header is lost) are passed over; pulses in no
// format the ROM reads (a turbo loader's) are too, so that the walk ends
// after the last file on the tape, or at its end-of-tape header.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "containers/image_file.hpp"
#include "containers/listed_entry.hpp"
#include "containers/tape/rom_tape_format.hpp"
#include "containers/tape/tap_file.hpp"

namespace nuk::tape {

constexpr std::size_t headerLength = 192;
constexpr std::size_t dataFileBlockLength = 192;  // the type, then 191 bytes of the file

struct TapeFile : disk::ListedEntry {
    std::uint16_t start = 0;
    std::uint16_t length = 0;  // a program's data bytes
    bool dataFile = false;
    TapePosition headerEnd;
    // A program's data block, mended; nothing when the tape has none.
    std::optional<Record> program;
    // Where the search for a data file's first block starts.
    TapePosition dataFrom;
};

// The walk; the container opens the file it reached (openLast()).
class TapeDirectory : public disk::EntryReader {
public:
    TapeDirectory(std::shared_ptr<disk::ImageFile> file, const TapHeader& header, std::string argument);

    std::optional<TapeFile> next();
    std::optional<disk::ListedEntry> nextListed() override { return next(); }
    const std::optional<cli::Msg>& failure() const override { return failure_; }

protected:
    const std::shared_ptr<disk::ImageFile>& file() const { return file_; }
    const TapHeader& header() const { return header_; }
    const std::string& argument() const { return argument_; }
    const TapeFile& last() const { return last_; }

private:
    std::optional<RecordCopies> nextRecord();
    void readProgram(TapeFile& file);
    void countDataBlocks(TapeFile& file);
    void finish();

    const std::shared_ptr<disk::ImageFile> file_;
    const TapHeader header_;
    const std::string argument_;
    RomTapeReader reader_;
    std::optional<RecordCopies> pendingHeader_;
    TapePosition lastEnd_;  // after the last block of a file
    std::optional<cli::Msg> failure_;
    bool ended_ = false;
    bool found_ = false;
    TapeFile last_;
};

// Whether a record is a file's header: 192 bytes and a checksum in one of
// its copies, with a header's type.
bool isHeader(const RecordCopies& record);
// A data file's block (type 2), or what is left of one.
bool isDataFileBlock(const RecordCopies& record);

}  // namespace nuk::tape
