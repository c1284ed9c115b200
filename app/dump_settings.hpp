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

// The look of every line, whatever bytes it shows.
struct LineFormat {
    std::uint64_t width = 16;  // bytes a line, at least 1
    HexStyle hexStyle = HexStyle::plain;
    bool upperCaseHex = false;  // the digits of the hex column; addresses stay lower case
    CharacterSet characterSet = CharacterSet::graphics;
    nuk::con::TextMode textMode = nuk::con::ascii;
    bool colour = false;  // the columns in colour, where the output takes colour
    bool squeeze = false;  // a run of lines equal to the line before written as one line "*"
};

// Which bytes of an input are shown and at which addresses.
struct DumpSettings {
    std::uint64_t seek = 0;  // bytes skipped before the first one shown
    // The input's first two bytes are its load address: they are not shown,
    // and the address of the first byte shown counts from it.
    bool load = false;
    std::optional<std::uint64_t> start;   // address of the first byte shown; its low 16 bits
    std::optional<std::uint64_t> length;  // the most bytes shown
    LineFormat format;
    // The bytes shown written as they are, without lines: the format then
    // does not matter.
    bool raw = false;

    // A length of 0 shows no byte of any input: then nothing of an input is
    // read, not even to see whether it can be.
    bool showsNothing() const { return length && *length == 0; }
};
