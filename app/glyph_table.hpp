#pragma once
// The text column's character for every byte value, per text mode and
// character set, taken once from the per-byte PETSCII translation so that a
// line is a run of table copies.

#include <array>
#include <cstdint>

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
const GlyphTable& glyphTable(int textMode, bool lowercase);
