// ConsoleString on a wide console: UTF-16 through the runtime's UTF-16 text
// mode, in order with the narrow text around it. A file stands in for the
// console here: in UTF-16 mode the runtime writes the UTF-16 units to it.

#include <gtest/gtest.h>

#include <iomanip>
#include <iostream>

#include "console/console_string.hpp"

namespace nuk::con {
namespace {

std::string utf16le(const std::u16string& text) {
    std::string bytes;
    for (char16_t unit : text) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

class WideConsoleOutput : public ::testing::Test {
protected:
    void SetUp() override { wideConsoleOutput = true; }
    void TearDown() override { wideConsoleOutput = false; }
};

TEST_F(WideConsoleOutput, WritesUtf16BetweenTheNarrowText) {
    ::testing::internal::CaptureStdout();
    std::cout << "a" << ConsoleString(std::string("gr\xc3\xbc\xc3\x9f")) << "b" << ConsoleString(std::wstring(L"\u2592"))
              << "c";
    const std::string written = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(written, "a" + utf16le(u"gr\u00fc\u00df") + "b" + utf16le(u"\u2592") + "c");
}

TEST_F(WideConsoleOutput, FieldWidthAppliesWithItsCorrectionAndIsUsedUp) {
    ::testing::internal::CaptureStdout();
    std::cout << std::setw(4) << ConsoleString(std::string("\xc3\xbc"), 1) << std::setw(2) << "x";
    const std::string written = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(written, utf16le(u"    \u00fc") + " x");
}

TEST_F(WideConsoleOutput, InvalidUtf8IsShownNotThrown) {
    ::testing::internal::CaptureStdout();
    EXPECT_NO_THROW(std::cout << ConsoleString(std::string("ab\xed\xa0\x80")));
    const std::string written = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(written.substr(0, 4), utf16le(u"ab"));
}

TEST_F(WideConsoleOutput, OtherStreamsGetUtf8) {
    std::ostringstream other;
    other << ConsoleString(std::wstring(L"gr\u00fc\u00df"));
    EXPECT_EQ(other.str(), "gr\xc3\xbc\xc3\x9f");
}

TEST(NarrowConsoleOutput, WritesUtf8Unchanged) {
    wideConsoleOutput = false;
    ::testing::internal::CaptureStdout();
    std::cout << std::setw(6) << ConsoleString(std::string("gr\xc3\xbc")) << ConsoleString(std::wstring(L"\u00df"));
    EXPECT_EQ(::testing::internal::GetCapturedStdout(), "  gr\xc3\xbc\xc3\x9f") << "the width counts bytes";
}

}  // namespace
}  // namespace nuk::con
