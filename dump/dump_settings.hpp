#pragma once
// What one dump shows and how its lines look. The run loop builds it once
// from the command line; tests, benchmarks and fuzz targets build it
// directly. No stage of the dump reads an option.

#include <cstdint>
#include <optional>

#include "console/text_mode.hpp"
#include "petscii/petscii.hpp"

// How a byte is written in the hex column: "00", "0x00" or "$00".
enum class HexStyle { plain, c, turbo };

// What the byte column shows of each byte: its value in hexadecimal, its
// eight bits as binary digits, or its bits drawn as the cells of a picture:
// one cell a bit, or in multicolour one double cell a bit pair.
enum class ByteView { hex, bits, pixels, multicolourPixels };

// The languages a dump can be written in as source code instead of lines.
enum class SourceFormat { acme, ca65, tass64, xa, c, basic };

// The look of every line, whatever bytes it shows.
struct LineFormat {
    std::uint64_t width = 16;  // bytes a line, at least 1
    HexStyle hexStyle = HexStyle::plain;  // of the hex view
    bool upperCaseHex = false;  // the digits of the hex column; addresses stay lower case
    CharacterSet characterSet = CharacterSet::graphics;
    nuk::con::TextMode textMode = nuk::con::ascii;
    bool colour = false;  // the columns in colour, where the output takes colour
    bool squeeze = false;  // a run of lines equal to the line before written as one line "*"
    ByteView view = ByteView::hex;
};

// Which bytes of an input are shown and at which addresses.
struct DumpSettings {
    std::uint64_t seek = 0;  // bytes skipped before the first one shown
    // The seek counts back from the end: the first byte shown is the one
    // `seek` bytes before the end of the input (the first byte when the
    // input is shorter). Everything else is as if the bytes before it had
    // been skipped: addresses give every byte its real position.
    bool seekFromEnd = false;
    // The input's first two bytes are its load address: they are not shown,
    // and the address of the first byte shown counts from it.
    bool load = false;
    std::optional<std::uint64_t> start;   // address of the first byte shown; its low 16 bits
    std::optional<std::uint64_t> length;  // the most bytes shown
    LineFormat format;
    // The bytes shown written as they are, without lines: the format then
    // does not matter.
    bool raw = false;
    // The bytes shown written as source code, the format's width the
    // bytes a line; the load address (or the start address) is the origin.
    std::optional<SourceFormat> source;
    // The BASIC line number of the next DATA line, shared by the inputs of
    // one run so that their lines make one program; without it every input
    // starts at the first line number.
    std::uint64_t* nextBasicLine = nullptr;

    // Lines of a dump, rather than the bytes or their source code.
    bool writesLines() const { return !raw && !source; }

    // A length of 0 shows no byte of any input: then nothing of an input is
    // read, not even to see whether it can be.
    bool showsNothing() const { return length && *length == 0; }
};
