#pragma once
// Takes the lines of one dump and writes them to the stream: lines are built
// from tables into one buffer and written in large blocks. Colour goes into
// the same text as escapes; only a console that takes its colours as
// attributes gets each column written apart, with the colour set between
// the writes.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <ostream>

#include "dump/dump_3_line.hpp"
#include "dump/dump_settings.hpp"

class DumpWriter {
public:
    // lines: the most lines the dump can have; a short dump gets a buffer
    // for its own size only.
    DumpWriter(const LineFormat& format, std::ostream& out, std::size_t addressDigits, std::uint64_t lines);
    DumpWriter(const DumpWriter&) = delete;
    DumpWriter& operator=(const DumpWriter&) = delete;

    // One line of n positions (n <= width), the first `present` of which
    // show bytes; the others are missing.
    void line(std::uint64_t address, const std::uint8_t* bytes, std::size_t present, std::size_t n);

    // count complete lines of present bytes, as many at a time as the
    // block has room for.
    void completeLines(std::uint64_t address, const std::uint8_t* bytes, std::uint64_t count, std::size_t width);

    // The line "*" that stands for a run of lines equal to the line before,
    // in the colour of the addresses.
    void squeezeMark();

    // A line of text of its own, such as the place the next lines come
    // from, in the colour of the addresses.
    void textLine(const std::string& text);

    // Writes the lines held in the block to the stream, which may keep them
    // in its own buffer; the block is empty afterwards and takes more.
    void writeBlock();

    // Writes the block and has the stream pass it on: for input that
    // arrives over time, before waiting for more.
    void flush();

    // Once the stream has failed nothing more can reach it; the failure
    // itself is reported when the program ends.
    bool failed() const { return failed_; }

private:
    static bool colourOn(const LineFormat& format, const std::ostream& out);
    void writeColumns(const char* text, const char* lineEnd);

    std::ostream& out_;
    const bool colourOn_;
    const LineBuilder builder_;
    const bool columnEffects_;
    const bool consoleText_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    bool failed_ = false;
};
