#pragma once
// The four character tables of the machine, indexed by screen code.

#include <cstdint>

namespace petscii {

// Screen code -> Unicode code point, before the private-use substitution.
extern const std::uint16_t graphicsUnicode[256];  // upper-case/graphics set
extern const std::uint16_t lowerUnicode[256];     // lower/upper-case set

// Screen code -> code page 437 byte.
inline constexpr std::uint16_t useUnicodeEntry = 0xFFFF;  // the Unicode entry is already the byte
inline constexpr std::uint16_t noCodePageGlyph = 0x0000;
extern const std::uint16_t graphicsCodePage[256];
extern const std::uint16_t lowerCodePage[256];

}  // namespace petscii
