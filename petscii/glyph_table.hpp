#pragma once
// The text column's character for every byte value, per text mode and
// character set, taken once from the per-byte PETSCII translation so that a
// line is a run of table copies.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "petscii/petscii.hpp"

// Up to three bytes of text (UTF-8 reaches three for the private-use glyphs)
// and their count, four bytes in all: one fixed-size copy writes a glyph,
// and the byte past its length is overwritten by what follows.
struct Glyph {
    char text[3];
    std::uint8_t length;
};
static_assert(sizeof(Glyph) == 4, "a glyph is copied as four bytes");

using GlyphTable = std::array<Glyph, 256>;

// The table for a text mode and character set. Modes with the same text
// share a table: the two Unicode modes, and every mode that falls back to
// US-ASCII.
const GlyphTable& glyphTable(CharacterSet set, nuk::con::TextMode textMode);

// Room that writeGlyphs may need for n characters: the longest character
// each, and the byte that the last copy writes past the text.
inline std::size_t glyphRoom(std::size_t n) { return sizeof(Glyph::text) * n + 1; }

// Writes the characters of n bytes at `at` and returns the end of the text.
// Four characters a round: the copies of a round do not wait for each other.
inline char* writeGlyphs(char* at, const GlyphTable& glyphs, const std::uint8_t* bytes, std::size_t n) {
    const auto copy = [&glyphs, &at](std::uint8_t byte) {
        const Glyph& glyph = glyphs[byte];
        std::memcpy(at, &glyph, sizeof glyph);
        at += glyph.length;
    };
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4) {
        copy(bytes[i]);
        copy(bytes[i + 1]);
        copy(bytes[i + 2]);
        copy(bytes[i + 3]);
    }
    for (; i < n; ++i) copy(bytes[i]);
    return at;
}
