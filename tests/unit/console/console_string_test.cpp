#include <gtest/gtest.h>

#include <iomanip>
#include <sstream>

#include "console/console_string.hpp"

using nuk::con::ConsoleString;

namespace {

std::string written(const ConsoleString& text, int width = 0, bool left = false) {
    std::ostringstream out;
    if (left) {
        out << std::left;
    }
    out << std::setw(width) << text << "|";
    return out.str();
}

TEST(ConsoleString, Utf8TextIsWrittenAsItsBytes) {
    EXPECT_EQ(written(ConsoleString("dir/\xC3\xA4.prg")), "dir/\xC3\xA4.prg|");
    EXPECT_EQ(written(ConsoleString(std::string("a\0b", 3))), std::string("a\0b|", 4));
    EXPECT_EQ(written(ConsoleString("")), "|");
}

TEST(ConsoleString, FieldWidthAppliesOnceLikeForAnyString) {
    EXPECT_EQ(written(ConsoleString("ab"), 5), "   ab|");
    EXPECT_EQ(written(ConsoleString("ab"), 5, true), "ab   |");
    EXPECT_EQ(written(ConsoleString("abcdef"), 3), "abcdef|");
}

TEST(ConsoleString, WideTextIsConvertedToUtf8) {
    EXPECT_EQ(written(ConsoleString(std::wstring(L"Gr\u00FC\u00DF \u03C0 \U0001F600"))),
              "Gr\xC3\xBC\xC3\x9F \xCF\x80 \xF0\x9F\x98\x80|");
    EXPECT_EQ(written(ConsoleString(std::wstring(L"x")), 3), "  x|");
}

TEST(ConsoleString, WideElementsThatAreNoCharacterBecomeTheReplacementCharacter) {
    std::wstring broken = L"a";
    broken += static_cast<wchar_t>(0xD800);
    broken += static_cast<wchar_t>(0x110000);
    EXPECT_EQ(written(ConsoleString(broken)), "a\xEF\xBF\xBD\xEF\xBF\xBD|");
}

TEST(ConsoleString, KeepsItsKindAndWidthCorrection) {
    const ConsoleString narrow("n", -2);
    ASSERT_NE(narrow.narrow(), nullptr);
    EXPECT_EQ(*narrow.narrow(), "n");
    EXPECT_EQ(narrow.wide(), nullptr);
    EXPECT_FALSE(narrow.isWide());
    EXPECT_EQ(narrow.widthCorrection(), -2);

    const ConsoleString wide(std::wstring(L"w"), 3);
    ASSERT_NE(wide.wide(), nullptr);
    EXPECT_EQ(*wide.wide(), L"w");
    EXPECT_EQ(wide.narrow(), nullptr);
    EXPECT_TRUE(wide.isWide());
    EXPECT_EQ(wide.widthCorrection(), 3);
}

TEST(ConsoleString, WideConsoleOutputStartsOn) { EXPECT_TRUE(nuk::con::wideConsoleOutput); }

}  // namespace
