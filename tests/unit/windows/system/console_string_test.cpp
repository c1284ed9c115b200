// ConsoleString on Windows: the UTF-16 text a console is given, and UTF-8 for
// every stream that is not itself a console, even while standard output's
// console takes UTF-16. (What a real console shows is checked by the console
// stage of tests/run-all.sh.)

#include <gtest/gtest.h>

#include <iomanip>
#include <iostream>
#include <sstream>

#include "console/console_string.hpp"
#include "console/windows/console_text.hpp"

namespace nuk::con {
namespace {

TEST(ConsoleText, FieldWidthAppliesWithItsCorrectionInUtf16Units) {
    std::ostringstream out;
    out << std::setw(4);
    EXPECT_EQ(consoleText(out, ConsoleString(std::string("\xc3\xbc"), 1)), L"    \u00fc");
    out << std::left << std::setfill('.') << std::setw(3);
    EXPECT_EQ(consoleText(out, ConsoleString(std::wstring(L"\u2592"))), L"\u2592..");
    out << std::setw(1);
    EXPECT_EQ(consoleText(out, ConsoleString(std::string("abc"))), L"abc");
}

TEST(ConsoleText, LineEndsBecomeCrLfAndInvalidUtf8IsShownNotThrown) {
    std::ostringstream out;
    EXPECT_EQ(consoleText(out, ConsoleString(std::string("a\nb\n"))), L"a\r\nb\r\n");
    std::wstring shown;
    EXPECT_NO_THROW(shown = consoleText(out, ConsoleString(std::string("ab\xed\xa0\x80"))));
    EXPECT_EQ(shown.substr(0, 3), L"ab\ufffd");
}

// A redirected standard output (here a capture file) is no console, so it
// gets UTF-8 bytes even when the console flag says UTF-16.
TEST(ConsoleOutput, StreamsThatAreNoConsoleGetUtf8) {
    wideConsoleOutput = true;
    ::testing::internal::CaptureStdout();
    std::cout << "a" << std::setw(6) << ConsoleString(std::string("gr\xc3\xbc")) << ConsoleString(std::wstring(L"\u00df"))
              << "b" << std::flush;
    const std::string written = ::testing::internal::GetCapturedStdout();
    EXPECT_FALSE(convertsConsoleText(std::cout));
    wideConsoleOutput = false;
    EXPECT_EQ(written, "a  gr\xc3\xbc\xc3\x9f" "b") << "the width counts bytes";

    std::ostringstream other;
    other << ConsoleString(std::wstring(L"gr\u00fc\u00df"));
    EXPECT_EQ(other.str(), "gr\xc3\xbc\xc3\x9f");
}

}  // namespace
}  // namespace nuk::con
