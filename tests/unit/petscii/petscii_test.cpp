// PETSCII translation: the tables against the character-set listing, the
// documented cases in every text mode, and properties over all 256 bytes.

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "petscii/petscii.hpp"
#include "petscii/petscii_tables.hpp"

namespace con = nuk::con;

namespace {

constexpr CharacterSet graphicsSet = CharacterSet::graphics;
constexpr CharacterSet lowerSet = CharacterSet::lowercase;

const con::TextMode allModes[] = {con::none, con::unicode, con::ascii, con::codePage, con::wideConsole};

std::string textOf(std::uint8_t byte, CharacterSet set, con::TextMode mode) {
    return petsciiText(&byte, 1, set, mode);
}

std::string utf8(std::uint32_t codePoint) {
    std::string text;
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
    return text;
}

// Decodes text that must be exactly one well-formed UTF-8 character of at
// most three bytes; returns -1 otherwise.
long singleCodePoint(const std::string& text) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto continuation = [&](std::size_t i) { return (byte(i) & 0xC0) == 0x80; };
    if (text.size() == 1 && byte(0) < 0x80) return byte(0);
    if (text.size() == 2 && (byte(0) & 0xE0) == 0xC0 && continuation(1)) {
        const long codePoint = ((byte(0) & 0x1F) << 6) | (byte(1) & 0x3F);
        return codePoint >= 0x80 ? codePoint : -1;
    }
    if (text.size() == 3 && (byte(0) & 0xF0) == 0xE0 && continuation(1) && continuation(2)) {
        const long codePoint = ((byte(0) & 0x0F) << 12) | ((byte(1) & 0x3F) << 6) | (byte(2) & 0x3F);
        return codePoint >= 0x800 ? codePoint : -1;
    }
    return -1;
}

// ---------------------------------------------------------------------------
// The tables, checked against the listing in its compact form: the ranges and
// exception lists below are written as the listing states them, so a slip in
// the sixteen-per-row tables shows up here. The rows 0x40..0x7F are listed in
// full in both places and are compared row by row rather than restated here.

std::vector<std::uint16_t> reverseHalf(std::uint16_t base, const std::map<int, std::uint16_t>& exceptions) {
    std::vector<std::uint16_t> half;
    for (int sc = 0x80; sc <= 0xFF; ++sc) {
        const auto found = exceptions.find(sc);
        half.push_back(found != exceptions.end() ? found->second : static_cast<std::uint16_t>(base + sc));
    }
    return half;
}

TEST(PetsciiTables, FirstQuarterMatchesTheListing) {
    for (int sc = 0; sc < 0x40; ++sc) {
        SCOPED_TRACE(sc);
        std::uint16_t graphics = static_cast<std::uint16_t>(sc);
        if (sc <= 0x1A) graphics = static_cast<std::uint16_t>(0x40 + sc);
        if (sc == 0x1B) graphics = 0x5B;
        if (sc == 0x1C) graphics = 0xA3;
        if (sc == 0x1D) graphics = 0x5D;
        if (sc == 0x1E) graphics = 0x2191;
        if (sc == 0x1F) graphics = 0x2190;
        const std::uint16_t lower = sc >= 0x01 && sc <= 0x1A ? static_cast<std::uint16_t>(0x60 + sc) : graphics;
        EXPECT_EQ(petscii::graphicsUnicode[sc], graphics);
        EXPECT_EQ(petscii::lowerUnicode[sc], lower);
    }
}

TEST(PetsciiTables, ReverseHalfMatchesTheListing) {
    const auto graphics = reverseHalf(0xEE00, {{0xA0, 0x2588}, {0xD1, 0x25D8}, {0xD7, 0x25D9}, {0xDF, 0x25E3},
                                               {0xE0, 0x2588}, {0xE1, 0x2590}, {0xE2, 0x2580}, {0xE3, 0x2587},
                                               {0xE7, 0x258A}, {0xEA, 0x258A}, {0xEC, 0x259B}, {0xF6, 0x258B},
                                               {0xF7, 0x2586}, {0xF8, 0x2585}, {0xFB, 0x259C}, {0xFC, 0x2599},
                                               {0xFE, 0x259F}, {0xFF, 0x259E}});
    const auto lower = reverseHalf(0xEF00, {{0xA0, 0x2588}, {0xDE, 0x2592}, {0xE0, 0x2588}, {0xE1, 0x2590},
                                            {0xE2, 0x2580}, {0xE3, 0x2587}, {0xE7, 0x258A}, {0xEA, 0x258A},
                                            {0xEC, 0x259B}, {0xF6, 0x258B}, {0xF7, 0x2586}, {0xF8, 0x2585},
                                            {0xFB, 0x259C}, {0xFC, 0x2599}, {0xFE, 0x259F}, {0xFF, 0x259E}});
    for (int sc = 0x80; sc <= 0xFF; ++sc) {
        SCOPED_TRACE(sc);
        EXPECT_EQ(petscii::graphicsUnicode[sc], graphics[sc - 0x80]);
        EXPECT_EQ(petscii::lowerUnicode[sc], lower[sc - 0x80]);
    }
}

TEST(PetsciiTables, PrivateUseEntriesAreTheirBasePlusTheScreenCode) {
    for (int sc = 0; sc < 256; ++sc) {
        SCOPED_TRACE(sc);
        const std::uint16_t graphics = petscii::graphicsUnicode[sc];
        const std::uint16_t lower = petscii::lowerUnicode[sc];
        if (graphics >= 0xE000 && graphics <= 0xF8FF) {
            EXPECT_EQ(graphics, 0xEE00 + sc);
        }
        if (lower >= 0xE000 && lower <= 0xF8FF) {
            EXPECT_EQ(lower, 0xEF00 + sc);
        }
    }
}

std::vector<std::uint16_t> codePageTable(const std::vector<std::pair<int, int>>& unicodeRanges,
                                         const std::map<int, std::uint16_t>& bytes) {
    std::vector<std::uint16_t> table(256, petscii::noCodePageGlyph);
    for (const auto& range : unicodeRanges) {
        for (int sc = range.first; sc <= range.second; ++sc) table[sc] = petscii::useUnicodeEntry;
    }
    for (const auto& entry : bytes) table[entry.first] = entry.second;
    return table;
}

TEST(PetsciiTables, CodePageTablesMatchTheListing) {
    const auto graphics = codePageTable(
        {{0x00, 0x1B}, {0x1D, 0x1D}, {0x20, 0x3F}},
        {{0x1C, 0x9C}, {0x1E, 0x18}, {0x1F, 0x1B}, {0x40, 0xC4}, {0x41, 0x06}, {0x42, 0xB3}, {0x43, 0xC4},
         {0x51, 0x07}, {0x53, 0x03}, {0x57, 0x09}, {0x58, 0x05}, {0x5A, 0x04}, {0x5B, 0xC5}, {0x5D, 0xB3},
         {0x5E, 0xE3}, {0x60, 0xFF}, {0x61, 0xDD}, {0x62, 0xDC}, {0x64, 0x5F}, {0x66, 0xB2}, {0x6B, 0xC3},
         {0x6D, 0xC0}, {0x6E, 0xBF}, {0x70, 0xDA}, {0x71, 0xC1}, {0x72, 0xC2}, {0x73, 0xB4}, {0x7D, 0xD9},
         {0xA0, 0xDB}, {0xA4, 0x5F}, {0xD1, 0x08}, {0xD7, 0x0A}, {0xE0, 0xDB}, {0xE1, 0xDE}, {0xE2, 0xDF}});
    const auto lower = codePageTable(
        {{0x00, 0x1B}, {0x1D, 0x1D}, {0x20, 0x3F}, {0x41, 0x5A}},
        {{0x1C, 0x9C}, {0x1E, 0x18}, {0x1F, 0x1B}, {0x40, 0xC4}, {0x5B, 0xC5}, {0x5D, 0xB3}, {0x60, 0xFF},
         {0x61, 0xDD}, {0x62, 0xDC}, {0x64, 0x5F}, {0x66, 0xB2}, {0x6B, 0xC3}, {0x6D, 0xC0}, {0x6E, 0xBF},
         {0x70, 0xDA}, {0x71, 0xC1}, {0x72, 0xC2}, {0x73, 0xB4}, {0x7D, 0xD9}, {0xA0, 0xDB}, {0xA4, 0x5F},
         {0xE0, 0xDB}, {0xE1, 0xDE}, {0xE2, 0xDF}});
    for (int sc = 0; sc < 256; ++sc) {
        SCOPED_TRACE(sc);
        EXPECT_EQ(petscii::graphicsCodePage[sc], graphics[sc]);
        EXPECT_EQ(petscii::lowerCodePage[sc], lower[sc]);
    }
}

// Where the code page table defers to the Unicode table, the entry must be a
// plain ASCII character, or its low byte would be some unrelated glyph.
TEST(PetsciiTables, CodePageDefersOnlyToAsciiEntries) {
    for (int sc = 0; sc < 256; ++sc) {
        SCOPED_TRACE(sc);
        if (petscii::graphicsCodePage[sc] == petscii::useUnicodeEntry) {
            EXPECT_LT(petscii::graphicsUnicode[sc], 0x80);
        }
        if (petscii::lowerCodePage[sc] == petscii::useUnicodeEntry) {
            EXPECT_LT(petscii::lowerUnicode[sc], 0x80);
        }
    }
}

// ---------------------------------------------------------------------------
// Screen codes.

TEST(PetsciiScreenCode, RangesMoveAsTheMachineShowsThem) {
    const struct {
        int first, last, firstScreenCode;
    } ranges[] = {
        {0x00, 0x1F, 0x80}, {0x20, 0x3F, 0x20}, {0x40, 0x5F, 0x00}, {0x60, 0x7F, 0x40},
        {0x80, 0x9F, 0xC0}, {0xA0, 0xBF, 0x60}, {0xC0, 0xFE, 0x40}, {0xFF, 0xFF, 0x5E},
    };
    for (const auto& range : ranges) {
        for (int byte = range.first; byte <= range.last; ++byte) {
            SCOPED_TRACE(byte);
            EXPECT_EQ(petsciiToScreenCode(static_cast<std::uint8_t>(byte)), range.firstScreenCode + byte - range.first);
        }
    }
}

// 0x00..0xBF reach 192 different glyphs; the rest repeat glyphs already reached:
// 0xC0..0xDF = 0x60..0x7F, 0xE0..0xFE = 0xA0..0xBE, 0xFF = 0xDE = 0x7E (pi).
TEST(PetsciiScreenCode, DistinctForTheFirst192BytesThenRepeats) {
    std::set<int> seen;
    for (int byte = 0x00; byte <= 0xBF; ++byte) {
        EXPECT_TRUE(seen.insert(petsciiToScreenCode(static_cast<std::uint8_t>(byte))).second) << byte;
    }
    for (int byte = 0xC0; byte <= 0xFE; ++byte) {
        const int twin = byte < 0xE0 ? byte - 0x60 : byte - 0x40;
        EXPECT_EQ(petsciiToScreenCode(static_cast<std::uint8_t>(byte)),
                  petsciiToScreenCode(static_cast<std::uint8_t>(twin)))
            << byte;
    }
    EXPECT_EQ(petsciiToScreenCode(0xFF), petsciiToScreenCode(0xDE));
    EXPECT_EQ(petsciiToScreenCode(0xFF), petsciiToScreenCode(0x7E));
}

TEST(PetsciiScreenCode, ControlCodesShowInReverseVideo) {
    for (int byte = 0; byte < 256; ++byte) {
        const bool control = byte < 0x20 || (byte >= 0x80 && byte < 0xA0);
        EXPECT_EQ(petsciiToScreenCode(static_cast<std::uint8_t>(byte)) >= 0x80, control) << byte;
    }
}

// ---------------------------------------------------------------------------
// The documented cases, in every text mode and both character sets.

struct Case {
    std::uint8_t byte;
    CharacterSet set;
    std::string unicodeText;  // unicode and wideConsole
    std::string codePageText;
    std::string asciiText;  // none and ascii
};

const Case documentedCases[] = {
    {0x41, graphicsSet, "A", "A", "A"},
    {0x41, lowerSet, "a", "a", "a"},
    {0xC1, graphicsSet, utf8(0x2660), "\x06", "`"},
    {0xC1, lowerSet, "A", "A", "`"},
    {0x61, lowerSet, "A", "A", "A"},
    {0x61, graphicsSet, utf8(0x2660), "\x06", "`"},
    {0x40, graphicsSet, "@", "@", "@"},
    {0x40, lowerSet, "@", "@", "@"},
    {0x60, graphicsSet, utf8(0xEE40), "\xC4", "`"},
    {0x60, lowerSet, utf8(0xEF40), "\xC4", "`"},
    {0x00, graphicsSet, utf8(0xEE80), "`", "`"},
    {0x00, lowerSet, utf8(0xEF80), "`", "`"},
    // The inverse bullet's code page position is backspace to a console.
    {0x91, graphicsSet, utf8(0x25D8), "\xFE", "`"},
    {0x91, lowerSet, utf8(0xEFD1), "`", "`"},
    {0xFF, graphicsSet, utf8(0x03C0), "\xE3", "`"},
    {0xFF, lowerSet, utf8(0xEF5E), "`", "`"},
    {0xDE, graphicsSet, utf8(0x03C0), "\xE3", "`"},
    {0xA0, graphicsSet, utf8(0x00A0), "\xFF", " "},
    {0xE0, lowerSet, utf8(0x00A0), "\xFF", " "},
    {0x5C, graphicsSet, utf8(0x00A3), "\x9C", "`"},
    {0x5E, lowerSet, utf8(0x2191), "\x18", "`"},
    // The left arrow's code page position is escape to a console.
    {0x5F, graphicsSet, utf8(0x2190), "\x11", "`"},
    {0x5B, lowerSet, "[", "[", "["},
    {0x5D, graphicsSet, "]", "]", "]"},
    {0x20, graphicsSet, " ", " ", " "},
    {0x7A, lowerSet, "Z", "Z", "Z"},
    {0xDA, lowerSet, "Z", "Z", "`"},
    {0xBA, lowerSet, utf8(0x2713), "`", "`"},
    {0xBA, graphicsSet, utf8(0xEE7A), "`", "`"},
    {0x0D, graphicsSet, utf8(0xEE8D), "`", "`"},
    {0x93, graphicsSet, utf8(0xEED3), "`", "`"},
    // Box drawing and blocks give way to the private-use glyph.
    {0xE6, graphicsSet, utf8(0xEE66), "\xB2", "`"},
    {0xBB, lowerSet, utf8(0xEF7B), "`", "`"},
};

TEST(PetsciiText, DocumentedCasesInEveryMode) {
    for (const Case& c : documentedCases) {
        SCOPED_TRACE(testing::Message() << "byte " << int(c.byte) << (c.set == lowerSet ? " lower" : " graphics"));
        EXPECT_EQ(textOf(c.byte, c.set, con::unicode), c.unicodeText);
        EXPECT_EQ(textOf(c.byte, c.set, con::wideConsole), c.unicodeText);
        EXPECT_EQ(textOf(c.byte, c.set, con::codePage), c.codePageText);
        EXPECT_EQ(textOf(c.byte, c.set, con::ascii), c.asciiText);
        EXPECT_EQ(textOf(c.byte, c.set, con::none), c.asciiText);
    }
}

TEST(PetsciiText, ScreenCodeFunctionsAgreeWithTheText) {
    EXPECT_EQ(screenCodeToUnicode(0x41, graphicsSet), 0x2660);
    EXPECT_EQ(screenCodeToUnicode(0x40, graphicsSet), 0xEE40);
    EXPECT_EQ(screenCodeToUnicode(0x40, lowerSet), 0xEF40);
    EXPECT_EQ(screenCodeToUnicode(0xDE, lowerSet), 0xEFDE);
    EXPECT_EQ(screenCodeToUnicode(0xA0, graphicsSet), 0xEEA0);
    EXPECT_EQ(screenCodeToUnicode(0xE1, lowerSet), 0xEFE1);
    EXPECT_EQ(screenCodeToUnicode(0xD1, graphicsSet), 0x25D8);
    EXPECT_EQ(screenCodeToCodePage(0x1C, graphicsSet), 0x9C);
    EXPECT_EQ(screenCodeToCodePage(0x05, lowerSet), 'e');
    EXPECT_EQ(screenCodeToCodePage(0x44, graphicsSet), 0);
}

TEST(PetsciiText, PrintableBytesAreTheAsciiRangeAndTheShiftedSpaces) {
    for (int byte = 0; byte < 256; ++byte) {
        const bool printable = (byte >= 0x20 && byte <= 0x7E) || byte == 0xA0 || byte == 0xE0;
        EXPECT_EQ(isPetsciiPrintable(static_cast<std::uint8_t>(byte)), printable) << byte;
    }
}

TEST(PetsciiText, AsciiLettersFollowTheCharacterSet) {
    for (int letter = 0; letter < 26; ++letter) {
        const auto upperByte = static_cast<std::uint8_t>(0x41 + letter);
        const auto lowerByte = static_cast<std::uint8_t>(0x61 + letter);
        EXPECT_EQ(petsciiToAscii(upperByte, graphicsSet), 'A' + letter);
        EXPECT_EQ(petsciiToAscii(upperByte, lowerSet), 'a' + letter);
        EXPECT_EQ(petsciiToAscii(lowerByte, graphicsSet), '`');
        EXPECT_EQ(petsciiToAscii(lowerByte, lowerSet), 'A' + letter);
    }
    for (std::uint8_t byte : {0x5C, 0x5E, 0x5F, 0x60, 0x7B, 0x7C, 0x7D, 0x7E}) {
        EXPECT_EQ(petsciiToAscii(byte, graphicsSet), '`') << int(byte);
        EXPECT_EQ(petsciiToAscii(byte, lowerSet), '`') << int(byte);
    }
}

// ---------------------------------------------------------------------------
// Properties over every byte in both character sets.

bool allowedCodePoint(long codePoint, std::uint8_t screenCode, CharacterSet set) {
    static const std::set<long> shared = {0x00A0, 0x00A3, 0x03C0, 0x2022, 0x2190, 0x2191, 0x25CB,
                                          0x25D8, 0x25D9, 0x25E3, 0x25E4, 0x25E5};
    static const std::set<long> graphicsOnly = {0x2660, 0x2663, 0x2665, 0x2666};
    if (codePoint >= 0x20 && codePoint <= 0x7E) return true;
    if (shared.count(codePoint) != 0) return true;
    if (set == graphicsSet && graphicsOnly.count(codePoint) != 0) return true;
    if (set == lowerSet && codePoint == 0x2713) return true;
    return codePoint == (set == lowerSet ? 0xEF00 : 0xEE00) + screenCode;
}

TEST(PetsciiText, UnicodeModesEmitOnlyTheAllowedCharacters) {
    for (CharacterSet set : {graphicsSet, lowerSet}) {
        for (int value = 0; value < 256; ++value) {
            const auto byte = static_cast<std::uint8_t>(value);
            SCOPED_TRACE(testing::Message() << "byte " << value << (set == lowerSet ? " lower" : " graphics"));
            const std::string text = textOf(byte, set, con::unicode);
            const long codePoint = singleCodePoint(text);
            ASSERT_GE(codePoint, 0) << "not one UTF-8 character of at most three bytes";
            EXPECT_FALSE(codePoint >= 0x2500 && codePoint <= 0x259F);
            EXPECT_TRUE(allowedCodePoint(codePoint, petsciiToScreenCode(byte), set)) << std::hex << codePoint;
            EXPECT_EQ(textOf(byte, set, con::wideConsole), text);
        }
    }
}

TEST(PetsciiText, SingleByteModesEmitOnePrintableByte) {
    for (CharacterSet set : {graphicsSet, lowerSet}) {
        for (int value = 0; value < 256; ++value) {
            const auto byte = static_cast<std::uint8_t>(value);
            SCOPED_TRACE(testing::Message() << "byte " << value << (set == lowerSet ? " lower" : " graphics"));
            const std::string asciiText = textOf(byte, set, con::ascii);
            ASSERT_EQ(asciiText.size(), 1u);
            EXPECT_GE(asciiText[0], 0x20);
            EXPECT_LE(asciiText[0], 0x7E);
            EXPECT_EQ(textOf(byte, set, con::none), asciiText);

            const std::string codePageText = textOf(byte, set, con::codePage);
            ASSERT_EQ(codePageText.size(), 1u);
            EXPECT_NE(codePageText[0], '\0');
        }
    }
}

TEST(PetsciiText, PiHasThreeBytesThatLookAlike) {
    for (CharacterSet set : {graphicsSet, lowerSet}) {
        for (con::TextMode mode : allModes) {
            EXPECT_EQ(textOf(0xDE, set, mode), textOf(0xFF, set, mode)) << mode;
        }
    }
}

TEST(PetsciiText, ALineIsItsCharactersInInputOrder) {
    std::vector<std::uint8_t> everyByte(256);
    for (int value = 0; value < 256; ++value) everyByte[value] = static_cast<std::uint8_t>(255 - value);
    for (CharacterSet set : {graphicsSet, lowerSet}) {
        for (con::TextMode mode : allModes) {
            std::string expected;
            for (std::uint8_t byte : everyByte) expected += textOf(byte, set, mode);
            EXPECT_EQ(petsciiText(everyByte.data(), everyByte.size(), set, mode), expected) << mode;
        }
    }
    EXPECT_EQ(petsciiText(everyByte.data(), 0, graphicsSet, con::unicode), "");
}

TEST(PetsciiText, UnknownModesFallBackToAscii) {
    const std::uint8_t bytes[] = {0x48, 0xC1, 0x60};
    for (int mode : {-1, 5, 99}) {
        EXPECT_EQ(petsciiText(bytes, 3, graphicsSet, static_cast<con::TextMode>(mode)), "H``") << mode;
    }
}

}  // namespace
