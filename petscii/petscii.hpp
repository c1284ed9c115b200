#pragma once
// PETSCII translation: byte -> screen code -> Unicode, code page 437 or US-ASCII.
// Every function that needs both settings takes the character set first,
// then the text mode.

#include <cstddef>
#include <cstdint>
#include <string>

#include "console/text_mode.hpp"

// The machine's two character sets: upper case with graphics (its default)
// and lower/upper case.
enum class CharacterSet { graphics, lowercase };

inline CharacterSet characterSet(bool lowercase) {
    return lowercase ? CharacterSet::lowercase : CharacterSet::graphics;
}

std::uint8_t petsciiToScreenCode(std::uint8_t byte);
// The character a screen code stands for in the set's table, before the
// box-drawing and block characters give way to private-use glyphs (the
// companion font draws those glyphs from these characters).
std::uint16_t screenCodeToStandardCharacter(std::uint8_t screenCode, CharacterSet set);
// Code point for a screen code, with box-drawing/block characters replaced
// by the private-use glyph U+EE00/U+EF00 + screen code.
std::uint16_t screenCodeToUnicode(std::uint8_t screenCode, CharacterSet set);
std::uint8_t screenCodeToCodePage(std::uint8_t screenCode, CharacterSet set);
bool isPetsciiPrintable(std::uint8_t byte);
char petsciiToAscii(std::uint8_t byte, CharacterSet set);

// The character of one byte in the given text mode: the translation itself,
// from which the glyph tables are built once.
std::string petsciiCharacter(std::uint8_t byte, CharacterSet set, nuk::con::TextMode textMode);

// The text column for n bytes in the given text mode, one character per byte.
std::string petsciiText(const std::uint8_t* bytes, std::size_t n, CharacterSet set, nuk::con::TextMode textMode);
