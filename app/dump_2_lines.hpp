#pragma once
// Lays the positions of one dump out in lines as their bytes arrive, in
// pieces of any length: a line is written once its last byte is there, and
// the line in progress waits in a buffer of one line.

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <vector>

#include "app/dump_settings.hpp"
#include "app/dump_4_writer.hpp"

class DumpLines {
public:
    // start: the address of the first position; lines: the most lines the
    // dump can have.
    DumpLines(const LineFormat& format, std::ostream& out, std::size_t addressDigits, std::uint64_t start,
              std::uint64_t lines);

    // The next n bytes of the dump, in order.
    void add(const std::uint8_t* bytes, std::size_t n);

    // Ends the dump at count positions: writes the line in progress, then
    // missing positions up to count (never below the bytes added), and
    // hands everything to the stream. Nothing is added afterwards.
    void endAt(std::uint64_t count);

    // Passes the complete lines on to the stream now.
    void flush() { writer_.flush(); }

    bool failed() const { return writer_.failed(); }

private:
    DumpWriter writer_;
    const std::size_t width_;
    std::uint64_t lineAddress_;        // address of the line in progress
    std::uint64_t written_ = 0;        // positions in the lines written
    std::vector<std::uint8_t> line_;   // its bytes so far
};
