// Console::attach: what it finds out about the console and which text mode
// it chooses.

#include "console_fixture.hpp"

namespace nuk::con::test {
namespace {

using AttachTest = WindowsConsoleTest;

struct FontCase {
    const char* description;
    bool fontQueryExists;
    UINT fontFamily;
    TextMode expectedMode;
    bool expectedTrueType;
};

std::ostream& operator<<(std::ostream& out, const FontCase& font) { return out << font.description; }

class AttachFontTest : public WindowsConsoleTest, public ::testing::WithParamInterface<FontCase> {};

TEST_P(AttachFontTest, ChoosesTheTextModeTheFontCanShow) {
    const FontCase& font = GetParam();
    system().fontQueryExists = font.fontQueryExists;
    system().fontFamily = font.fontFamily;

    attachToConsole();

    EXPECT_EQ(console.mode, font.expectedMode);
    EXPECT_EQ(console.trueTypeFont, font.expectedTrueType);
    EXPECT_EQ(wideConsoleOutput, font.expectedMode == wideConsole);
    EXPECT_EQ(errorOutput(), "") << "a missing font query is no fault";
}

INSTANTIATE_TEST_SUITE_P(
    Fonts, AttachFontTest,
    ::testing::Values(FontCase{"TrueType", true, TMPF_TRUETYPE | 0x30, wideConsole, true},
                      FontCase{"raster", true, 0x30, codePage, false},
                      FontCase{"noFontQuery", false, TMPF_TRUETYPE, codePage, false}),
    [](const ::testing::TestParamInfo<FontCase>& info) { return std::string(info.param.description); });

TEST_F(AttachTest, ReadsFontNameColoursAndSwitchesEscapesOn) {
    system().faceName = L"Lucida Console";
    system().attributes = 0x1E;  // yellow on blue
    system().mode = 0x3;

    attachToConsole();

    EXPECT_EQ(console.fontName, L"Lucida Console");
    EXPECT_EQ(console.defaultForeground, 0xE);
    EXPECT_EQ(console.defaultBackground, 0x1);
    EXPECT_TRUE(console.ansiCapable);
    EXPECT_EQ(system().modesSet, std::vector<DWORD>{0x3 | ENABLE_VIRTUAL_TERMINAL_PROCESSING | DISABLE_NEWLINE_AUTO_RETURN});
    EXPECT_EQ(system().libraryLoads, 1);
    EXPECT_EQ(system().libraryFrees, 1);
    EXPECT_EQ(system().fontQueriesWithoutLibrary, 0) << "the library is released after the last query of attach";
    EXPECT_EQ(consoleFor(std::cout), &console);
}

TEST_F(AttachTest, ConsoleRefusingEscapeFlagsIsNoFault) {
    system().setMode = Answer::failsWith(ERROR_INVALID_PARAMETER);

    attachToConsole();

    EXPECT_FALSE(console.ansiCapable);
    EXPECT_EQ(console.mode, wideConsole);
    EXPECT_EQ(errorOutput(), "");
}

TEST_F(AttachTest, RedirectedOutputTakesUtf8Silently) {
    system().font = notAConsole;
    system().screenBufferInfo = notAConsole;
    system().getMode = notAConsole;

    attachToRedirectedStream();

    EXPECT_EQ(console.mode, unicode);
    EXPECT_FALSE(console.ansiCapable);
    EXPECT_FALSE(console.trueTypeFont);
    EXPECT_FALSE(wideConsoleOutput);
    EXPECT_EQ(console.defaultForeground, 0xFFFF);
    EXPECT_EQ(console.defaultBackground, 0xFFFF);
    EXPECT_TRUE(system().modesSet.empty()) << "escape processing is only for a console";
    EXPECT_EQ(errorOutput(), "");
}

TEST_F(AttachTest, StreamOutsideTheTableTakesUtf8) {
    std::ostringstream elsewhere;
    console.attach(elsewhere);
    EXPECT_EQ(console.mode, unicode);
    EXPECT_FALSE(console.ansiCapable);
}

TEST_F(AttachTest, AsciiChosenBeforeAttachStays) {
    console.mode = ascii;
    attachToConsole();
    EXPECT_EQ(console.mode, ascii);
    EXPECT_FALSE(wideConsoleOutput);
}

TEST_F(AttachTest, FailingConsoleModeIsReportedWithTheSystemText) {
    system().getMode = Answer::failsWith(ERROR_ACCESS_DENIED);
    system().systemText = "Access is denied.\r\n";

    attachToConsole();

    EXPECT_FALSE(console.ansiCapable);
    EXPECT_EQ(errorOutput(), "Fatal: in nuk::con::setVTProcessing: \"Access is denied.\" (5)\n");
}

TEST_F(AttachTest, EveryFailingCallOtherThanNotAConsoleIsReported) {
    system().font = Answer::failsWith(ERROR_ACCESS_DENIED);
    system().screenBufferInfo = Answer::failsWith(ERROR_ACCESS_DENIED);
    system().setMode = Answer::failsWith(ERROR_ACCESS_DENIED);
    system().systemText = "Access is denied.\r\n";

    attachToConsole();

    EXPECT_EQ(errorOutput(),
              "Fatal: in nuk::con::isConsoleFontTrueType: \"Access is denied.\" (5)\n"
              "Fatal: in nuk::con::getConsoleFontName: \"Access is denied.\" (5)\n"
              "Fatal: in nuk::con::Console::getColors: \"Access is denied.\" (5)\n"
              "Fatal: in nuk::con::setVTProcessing: \"Access is denied.\" (5)\n"
              "Fatal: in nuk::con::isConsoleFontTrueType: \"Access is denied.\" (5)\n");
    EXPECT_EQ(console.mode, codePage);
    EXPECT_EQ(console.defaultForeground, 0xFFFF);
}

TEST_F(AttachTest, UnreadableSystemTextThrowsAfterThePartialLine) {
    system().getMode = Answer::failsWith(ERROR_ACCESS_DENIED);
    system().systemText = "\r\n";

    EXPECT_THROW(
        {
            try {
                attachToConsole();
            } catch (const std::runtime_error& error) {
                EXPECT_STREQ(error.what(), "Failed to retrieve error message string.");
                throw;
            }
        },
        std::runtime_error);
    EXPECT_EQ(errorOutput(), "Fatal: in nuk::con::setVTProcessing: \"");
}

}  // namespace
}  // namespace nuk::con::test
