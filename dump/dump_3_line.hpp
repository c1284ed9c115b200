#pragma once
// One dump line, written into a character buffer: colour escape, address,
// ": ", escape, byte column, escape, text column, newline. The byte column
// holds the hex fields or the fields of another view (view_fields.hpp).
// Every piece is a copy from a table, so the line costs a few stores per byte.

#include <cstddef>
#include <cstdint>
#include <string>

#include "dump/dump_settings.hpp"
#include "petscii/glyph_table.hpp"
#include "dump/hex_fields.hpp"
#include "dump/view_fields.hpp"

// The texts written in front of the address, hex and text columns; all
// empty when the colour does not go out as escapes in the text.
struct ColumnEscapes {
    std::string address;
    std::string hex;
    std::string text;

    bool empty() const { return address.empty() && hex.empty() && text.empty(); }
};

class LineBuilder {
public:
    LineBuilder(const LineFormat& format, std::size_t addressDigits, ColumnEscapes escapes);

    // Room a line may need in the buffer, including the few bytes that the
    // fixed-size copies write past its end.
    std::size_t roomForLine() const { return roomForLine_; }

    // Writes the line of n positions (n <= width) at `at` and returns its
    // end. Positions below present show bytes[0..present), the others are
    // missing. A line shorter than the width is blanked behind its last
    // field, so its text column starts where it does on full lines. When
    // textColumn is given, it receives where the text column starts.
    char* write(char* at, std::uint64_t address, const std::uint8_t* bytes, std::size_t present,
                std::size_t n, const char** textColumn = nullptr) const;

    // Writes count complete lines, each of width bytes that are all present,
    // the first at address, and returns the end of the last: the bulk of
    // every dump, without the checks that short lines need.
    char* writeComplete(char* at, std::uint64_t address, const std::uint8_t* bytes, std::size_t count) const;

    // Without escapes a line is the address column (address and ": "), the
    // byte column, the text column and the newline.
    std::size_t addressColumnLength() const { return addressDigits_ + 2; }

    const ColumnEscapes& escapes() const { return escapes_; }

private:
    char* writeAddressColumn(char* at, std::uint64_t address) const;
    char* writeFields(char* at, const std::uint8_t* bytes, std::size_t present, std::size_t n) const;
    char* writeGlyphs(char* at, const std::uint8_t* bytes, std::size_t present, std::size_t n) const;
    char* writeViewFields(char* at, const std::uint8_t* bytes, std::size_t present, std::size_t n) const;
    std::size_t byteColumnRoom() const;

    const std::size_t width_;
    const std::size_t addressDigits_;
    const HexFields& fields_;
    const ViewFields* const view_;  // the bits or pixels in place of the hex fields, or nullptr
    const GlyphTable& glyphs_;
    const ColumnEscapes escapes_;
    const bool withEscapes_;
    const std::size_t roomForLine_;
};
