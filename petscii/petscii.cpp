// PETSCII bytes to the characters the machine shows for them.

#include "petscii/petscii.hpp"

#include "cli/value.hpp"
#include "petscii/glyph_table.hpp"
#include "petscii/petscii_tables.hpp"

namespace {

const std::uint16_t* unicodeTable(CharacterSet set) {
    return set == CharacterSet::lowercase ? petscii::lowerUnicode : petscii::graphicsUnicode;
}

const std::uint16_t* codePageTable(CharacterSet set) {
    return set == CharacterSet::lowercase ? petscii::lowerCodePage : petscii::graphicsCodePage;
}

// Box-drawing and block characters are drawn by most fonts in a style that
// does not match the machine's glyphs, so the private-use glyph stands in.
bool isBoxDrawingOrBlock(std::uint16_t codePoint) {
    return codePoint >= 0x2500 && codePoint <= 0x259F;
}

std::uint16_t privateUseGlyph(std::uint8_t screenCode, CharacterSet set) {
    return static_cast<std::uint16_t>((set == CharacterSet::lowercase ? 0xEF00 : 0xEE00) + screenCode);
}

constexpr char missingGlyph = '`';

bool isShiftedSpace(std::uint8_t byte) { return byte == 0xA0 || byte == 0xE0; }

std::string unicodeCharacter(std::uint8_t byte, CharacterSet set) {
    std::string text;
    nuk::appendUtf8(text, screenCodeToUnicode(petsciiToScreenCode(byte), set));
    return text;
}

// A console acts on these code page 437 positions (bell, backspace, tab,
// line feed, escape) instead of drawing their glyphs, so a file could ring,
// move the cursor or start an escape sequence: look-alikes stand in.
std::uint8_t drawnOnConsole(std::uint8_t glyph) {
    switch (glyph) {
    case 0x07: return 0xF9;  // bullet: small bullet
    case 0x08: return 0xFE;  // inverse bullet: small square
    case 0x09: return 'o';   // circle
    case 0x0A: return 0xFE;  // inverse circle: small square
    case 0x1B: return 0x11;  // left arrow: left-pointing triangle
    default: return glyph;
    }
}

char codePageCharacter(std::uint8_t byte, CharacterSet set) {
    const std::uint8_t glyph = drawnOnConsole(screenCodeToCodePage(petsciiToScreenCode(byte), set));
    return glyph == 0 ? missingGlyph : static_cast<char>(glyph);
}

}  // namespace

std::uint8_t petsciiToScreenCode(std::uint8_t byte) {
    // Control codes (0x00..0x1F, 0x80..0x9F) show as the reverse-video form
    // of a printable glyph; 0x60..0x7F and 0xC0..0xFE share glyphs with
    // other ranges, and 0xFF is the machine's pi.
    if (byte < 0x20) return static_cast<std::uint8_t>(byte + 0x80);
    if (byte < 0x40) return byte;
    if (byte < 0x60) return static_cast<std::uint8_t>(byte - 0x40);
    if (byte < 0x80) return static_cast<std::uint8_t>(byte - 0x20);
    if (byte < 0xA0) return static_cast<std::uint8_t>(byte + 0x40);
    if (byte < 0xC0) return static_cast<std::uint8_t>(byte - 0x40);
    if (byte < 0xFF) return static_cast<std::uint8_t>(byte - 0x80);
    return 0x5E;
}

std::uint16_t screenCodeToStandardCharacter(std::uint8_t screenCode, CharacterSet set) {
    return unicodeTable(set)[screenCode];
}

std::uint16_t screenCodeToUnicode(std::uint8_t screenCode, CharacterSet set) {
    const std::uint16_t codePoint = screenCodeToStandardCharacter(screenCode, set);
    return isBoxDrawingOrBlock(codePoint) ? privateUseGlyph(screenCode, set) : codePoint;
}

std::uint8_t screenCodeToCodePage(std::uint8_t screenCode, CharacterSet set) {
    std::uint16_t entry = codePageTable(set)[screenCode];
    if (entry == petscii::useUnicodeEntry) {
        entry = unicodeTable(set)[screenCode];
    }
    return static_cast<std::uint8_t>(entry & 0xFF);
}

bool isPetsciiPrintable(std::uint8_t byte) {
    return (byte >= 0x20 && byte <= 0x7E) || isShiftedSpace(byte);
}

char petsciiToAscii(std::uint8_t byte, CharacterSet set) {
    const bool lowercase = set == CharacterSet::lowercase;
    if (!isPetsciiPrintable(byte)) return missingGlyph;
    if (isShiftedSpace(byte)) return ' ';
    if (byte <= 0x40 || byte == '[' || byte == ']') return static_cast<char>(byte);
    if (byte >= 0x41 && byte <= 0x5A) {
        return static_cast<char>(lowercase ? byte + ('a' - 'A') : byte);
    }
    if (lowercase && byte >= 0x61 && byte <= 0x7A) {
        return static_cast<char>(byte - ('a' - 'A'));
    }
    // The pound sign, the arrows and the graphics have no ASCII form.
    return missingGlyph;
}

std::string petsciiCharacter(std::uint8_t byte, CharacterSet set, nuk::con::TextMode textMode) {
    if (textMode == nuk::con::unicode || textMode == nuk::con::wideConsole) return unicodeCharacter(byte, set);
    if (textMode == nuk::con::codePage) return std::string(1, codePageCharacter(byte, set));
    return std::string(1, petsciiToAscii(byte, set));
}

std::string petsciiText(const std::uint8_t* bytes, std::size_t n, CharacterSet set, nuk::con::TextMode textMode) {
    std::string text(glyphRoom(n), '\0');
    const char* end = writeGlyphs(&text[0], glyphTable(set, textMode), bytes, n);
    text.resize(static_cast<std::size_t>(end - text.data()));
    return text;
}
