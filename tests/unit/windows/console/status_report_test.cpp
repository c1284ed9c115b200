#include "console_fixture.hpp"

namespace nuk::con::test {
namespace {

using StatusReportTest = WindowsConsoleTest;

TEST_F(StatusReportTest, NamesCodePageFontAndEscapeSupport) {
    system().outputCodePage = 65001;
    system().fontFamily = 0;
    system().setMode = Answer::failsWith(ERROR_INVALID_PARAMETER);
    attachToConsole();

    std::ostringstream status;
    writeStatus(console, status);
    EXPECT_EQ(status.str(), "stdout is a Windows console; codepage:65001; TTF font:no; ANSI capable:no\n\n");

    system().fontFamily = TMPF_TRUETYPE;
    console.ansiCapable = true;
    status.str("");
    writeStatus(console, status);
    EXPECT_EQ(status.str(), "stdout is a Windows console; codepage:65001; TTF font:yes; ANSI capable:yes\n\n");
}

}  // namespace
}  // namespace nuk::con::test
