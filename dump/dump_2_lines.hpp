#pragma once
// Lays the positions of one dump out in lines as their bytes arrive, in
// pieces of any length: a line is written once its last byte is there, and
// the line in progress waits in a buffer of one line. Squeezed, a run of
// complete lines equal to the line before is written as one line "*".

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

#include "dump/dump_2_output.hpp"
#include "dump/dump_4_writer.hpp"
#include "dump/dump_settings.hpp"

class DumpLines final : public DumpOutput {
public:
    // start: the address of the first position; lines: the most lines the
    // dump can have.
    DumpLines(const LineFormat& format, std::ostream& out, std::size_t addressDigits, std::uint64_t start,
              std::uint64_t lines);

    void add(const std::uint8_t* bytes, std::size_t n) override;
    void addMissing(std::uint64_t n) override;
    void placeLine(const std::string& text) override;

    // Writes the line in progress, then missing positions up to count, and
    // hands everything to the stream.
    void endAt(std::uint64_t count) override;

    void flush() override { writer_.flush(); }

    bool failed() const override { return writer_.failed(); }

private:
    void completeLines(const std::uint8_t* bytes, std::uint64_t count);
    void squeezedLines(const std::uint8_t* bytes, std::uint64_t count);
    std::uint64_t linesUnlikeTheOneBefore(const std::uint8_t* bytes, std::uint64_t count) const;
    std::uint64_t linesLikeTheOneBefore(const std::uint8_t* bytes, std::uint64_t count) const;
    void endRun(bool lastLineFollows);
    void endLine(std::uint64_t missing);
    void cutRunAtItsLongest();

    DumpWriter writer_;
    const std::size_t width_;
    const bool squeeze_;
    const std::uint64_t longestRun_;   // the most lines one "*" stands for
    std::uint64_t lineAddress_;        // address of the line in progress
    std::uint64_t written_ = 0;        // positions in the complete lines
    std::vector<std::uint8_t> line_;   // its bytes so far
    // Squeezed: the last complete line, and the lines equal to it that
    // followed it and are not written (yet).
    std::vector<std::uint8_t> lineBefore_;
    std::uint64_t linesInRun_ = 0;
};
