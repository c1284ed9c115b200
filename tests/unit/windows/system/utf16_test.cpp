// UTF-8 <-> UTF-16 through the system, and words with unpaired surrogates.

#include <gtest/gtest.h>

#include <stdexcept>

#include "cli/parser.hpp"
#include "cli/utf16.hpp"

namespace nuk {
namespace {

struct TextPair {
    const char* utf8;
    const wchar_t* utf16;
};

const TextPair validTexts[] = {
    {"", L""},
    {"plain.prg", L"plain.prg"},
    {"gr\xc3\xbc\xc3\x9f", L"gr\u00fc\u00df"},
    {"\xe2\x96\x92 box", L"\u2592 box"},
    {"\xee\xb8\x80", L"\uee00"},                  // a private-use glyph of the text column
    {"\xf0\x9f\x98\x80!", L"\U0001F600!"},        // beyond the BMP: a surrogate pair
};

TEST(Utf16, ConvertsBothWays) {
    for (const TextPair& text : validTexts) {
        EXPECT_EQ(toUtf16(text.utf8), text.utf16) << text.utf8;
        EXPECT_EQ(toUtf8(text.utf16), text.utf8) << text.utf8;
        EXPECT_EQ(toUtf16(std::string(text.utf8)), text.utf16);
        EXPECT_EQ(toUtf8(std::wstring(text.utf16)), text.utf8);
        EXPECT_EQ(toUtf8KeepingSurrogates(text.utf16), text.utf8) << "valid text is converted like toUtf8";
    }
}

TEST(Utf16, NullPointersGiveEmptyText) {
    EXPECT_EQ(toUtf16(static_cast<const char*>(nullptr)), L"");
    EXPECT_EQ(toUtf8(static_cast<const wchar_t*>(nullptr)), "");
    EXPECT_EQ(toUtf8KeepingSurrogates(nullptr), "");
}

TEST(Utf16, StopsAtAnEmbeddedNul) {
    EXPECT_EQ(toUtf16(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(toUtf8(std::wstring(L"ab\0cd", 5)), "ab");
}

void expectFailure(void (*convert)(), const char* expectedText) {
    try {
        convert();
        ADD_FAILURE() << "no exception for " << expectedText;
    } catch (const std::runtime_error& error) {
        EXPECT_STREQ(error.what(), expectedText);
    }
}

TEST(Utf16, RefusesInvalidInput) {
    expectFailure([] { toUtf16("bad \xff byte"); }, "UTF-8 conversion failed");
    expectFailure([] { toUtf16("overlong \xc0\xaf"); }, "UTF-8 conversion failed");
    expectFailure([] { toUtf16("surrogate \xed\xa0\x80"); }, "UTF-8 conversion failed");
    expectFailure([] { toUtf8(L"lone \xd800"); }, "UTF-16 conversion failed");
    expectFailure([] { toUtf8(L"lone \xdc00 low"); }, "UTF-16 conversion failed");
}

TEST(Utf16, UnpairedSurrogateIsCarriedButNeverConvertsBack) {
    const std::wstring word = L"ab\xd800" L"cd";
    const std::string carried = toUtf8KeepingSurrogates(word.c_str());
    EXPECT_EQ(carried, "ab\xed\xa0\x80" "cd");
    EXPECT_EQ(convertibleUtf8Length(carried), 2u);
    EXPECT_EQ(convertibleUtf16Length(word), 2u);
    EXPECT_THROW(toUtf16(carried), std::runtime_error);
}

TEST(Utf16, ConvertibleLengthsCountWholeCharacters) {
    EXPECT_EQ(convertibleUtf8Length("gr\xc3\xbc\xc3"), 4u) << "a truncated sequence ends it";
    EXPECT_EQ(convertibleUtf8Length("\xf4\x90\x80\x80"), 0u) << "past U+10FFFF";
    EXPECT_EQ(convertibleUtf8Length("ok\xf0\x9f\x98\x80"), 6u);
    EXPECT_EQ(convertibleUtf16Length(L"x\U0001F600"), 3u);
    EXPECT_EQ(convertibleUtf16Length(std::wstring(L"x\xd83d")), 1u) << "high surrogate at the end";
}

TEST(Utf16, ParserTakesUtf16WordsAsUtf8) {
    cli::Parser parser;
    const wchar_t* argv[] = {L"C:\\tools\\hexloom.exe", L"gr\u00fc\u00df.prg", L"ab\xd800" L"cd.prg"};
    parser.parse(3, argv);
    EXPECT_EQ(parser.programName, "C:\\tools\\hexloom.exe");
    ASSERT_EQ(parser.arguments().size(), 2u);
    EXPECT_EQ(parser.arguments()[0], "gr\xc3\xbc\xc3\x9f.prg");
    EXPECT_EQ(parser.arguments()[1], "ab\xed\xa0\x80" "cd.prg") << "the word is kept for the file layer to report";
    EXPECT_EQ(parser.errors(), "");
}

}  // namespace
}  // namespace nuk
