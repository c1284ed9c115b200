// The lookup tables of the dump line against what they stand for: every
// glyph against the PETSCII translation of its byte, and the text built from
// the tables against that translation; every hex field against its notation.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "dump/hex_fields.hpp"
#include "petscii/glyph_table.hpp"
#include "petscii/petscii.hpp"

namespace {

namespace con = nuk::con;

std::string glyphText(const Glyph& glyph) { return std::string(glyph.text, glyph.length); }

TEST(GlyphTable, EveryByteShowsItsTranslationInEveryModeAndSet) {
    // 99 stands for a mode no console sets: it falls back like the translation does.
    const con::TextMode modes[] = {con::none, con::unicode, con::ascii, con::codePage, con::wideConsole,
                                   static_cast<con::TextMode>(99)};
    for (const con::TextMode mode : modes) {
        for (const CharacterSet set : {CharacterSet::graphics, CharacterSet::lowercase}) {
            const GlyphTable& table = glyphTable(set, mode);
            for (int value = 0; value < 256; ++value) {
                const auto byte = static_cast<std::uint8_t>(value);
                ASSERT_EQ(glyphText(table[value]), petsciiCharacter(byte, set, mode))
                    << "mode " << mode << " lowercase " << (set == CharacterSet::lowercase) << " byte " << value;
            }
        }
    }
}

TEST(GlyphTable, TextIsTheCharactersOfItsBytesInOrder) {
    std::string everyByte;
    for (int value = 0; value < 256; ++value) everyByte += static_cast<char>(255 - value);
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(everyByte.data());
    for (const con::TextMode mode : {con::unicode, con::codePage, con::ascii}) {
        for (const CharacterSet set : {CharacterSet::graphics, CharacterSet::lowercase}) {
            std::string expected;
            for (std::size_t i = 0; i < everyByte.size(); ++i) expected += petsciiCharacter(bytes[i], set, mode);
            EXPECT_EQ(petsciiText(bytes, everyByte.size(), set, mode), expected) << mode;
            EXPECT_EQ(petsciiText(bytes + 7, 1, set, mode), petsciiCharacter(bytes[7], set, mode));
        }
    }
}

TEST(GlyphTable, SetsAndTextsKeepTheirOwnTables) {
    // The letter A in the lower/upper-case set is a small a; the graphics set
    // shows a spade for 0xC1.
    const std::uint8_t a = 0x41;
    EXPECT_EQ(glyphText(glyphTable(CharacterSet::lowercase, con::unicode)[a]), "a");
    EXPECT_EQ(glyphText(glyphTable(CharacterSet::graphics, con::unicode)[0xC1]), "\u2660");
    EXPECT_EQ(glyphText(glyphTable(CharacterSet::graphics, con::ascii)[0xC1]), "`");
    EXPECT_EQ(&glyphTable(CharacterSet::graphics, con::unicode), &glyphTable(CharacterSet::graphics, con::wideConsole));
}

TEST(HexFields, EachNotationWritesSeparatorPrefixAndDigits) {
    const struct {
        const Notation& notation;
        bool upper;
        std::uint8_t byte;
        std::string field;
        std::string missing;
    } cases[] = {
        {plainNotation, false, 0xab, " ab", " --"},
        {plainNotation, true, 0xab, " AB", " --"},
        {cNotation, true, 0x0f, ",0x0F", ",0x--"},  // the x stays lower case
        {turboNotation, false, 0x00, ",$00", ",$--"},
        {turboNotation, true, 0xff, ",$FF", ",$--"},
    };
    for (const auto& c : cases) {
        const HexFields fields(c.notation, c.upper);
        ASSERT_EQ(fields.length(), c.field.size());
        EXPECT_EQ(std::string(fields.of(c.byte).data(), fields.length()), c.field);
        EXPECT_EQ(std::string(fields.missing().data(), fields.length()), c.missing);
    }
}

TEST(HexFields, AddressesKeepTheirLowDigitsInLowerCase) {
    const struct {
        std::uint64_t address;
        std::size_t digits;
        std::string shown;
    } cases[] = {
        {0x0801, 4, "0801"}, {0xfedc, 4, "fedc"}, {0x1c000, 5, "1c000"}, {0xabcdef, 5, "bcdef"}, {0, 5, "00000"},
    };
    for (const auto& c : cases) {
        char text[5] = {};
        writeAddress(text, c.digits, c.address);
        EXPECT_EQ(std::string(text, c.digits), c.shown);
    }
}

}  // namespace
