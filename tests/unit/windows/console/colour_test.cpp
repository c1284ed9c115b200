// Colour on a console without escape processing: text attributes, changed
// nibble by nibble, saved and put back.

#include "console_fixture.hpp"

namespace nuk::con::test {
namespace {

class AttributeColourTest : public WindowsConsoleTest {
protected:
    // A console that refuses the escape flags, showing yellow on blue with
    // one attribute bit above the colours set.
    void SetUp() override {
        WindowsConsoleTest::SetUp();
        system().setMode = Answer::failsWith(ERROR_INVALID_PARAMETER);
        system().attributes = 0x811E;
        attachToConsole();
        console.colorEnabled = true;
    }
};

struct ColourCase {
    const char* description;
    int action;
    int foreground;
    int background;
    WORD expected;
};

std::ostream& operator<<(std::ostream& out, const ColourCase& colour) { return out << colour.description; }

class AttributeEffectTest : public AttributeColourTest, public ::testing::WithParamInterface<ColourCase> {};

TEST_P(AttributeEffectTest, ChangesOnlyItsNibble) {
    const ColourCase& colour = GetParam();
    std::cout << Effect{colour.action, colour.foreground, colour.background};
    EXPECT_EQ(system().attributes, colour.expected);
    EXPECT_EQ(errorOutput(), "");
}

INSTANTIATE_TEST_SUITE_P(Effects, AttributeEffectTest,
                         ::testing::Values(ColourCase{"brightRedText", effectForeground, 12, 0xFFFF, 0x811C},
                                           ColourCase{"blackText", effectForeground, 0, 0xFFFF, 0x8110},
                                           ColourCase{"redBackground", effectBackground, 0, 4, 0x814E},
                                           ColourCase{"brightWhiteBackground", effectBackground, 0, 15, 0x81FE},
                                           ColourCase{"bothColours", effectColors, 9, 2, 0x8129}),
                         [](const ::testing::TestParamInfo<ColourCase>& info) { return std::string(info.param.description); });

TEST_F(AttributeColourTest, NothingChangesWhileColourIsOff) {
    console.colorEnabled = false;
    EXPECT_FALSE(setForegroundColor(std::cout, 12));
    EXPECT_TRUE(system().attributesSet.empty());
}

TEST_F(AttributeColourTest, StreamsWithoutTheConsoleAreNotColoured) {
    EXPECT_FALSE(setForegroundColor(std::cerr, 12));
    std::ostringstream other;
    other << Effect{effectForeground, 12};
    EXPECT_TRUE(system().attributesSet.empty());
}

// Attributes colour the console only: a redirected stream gets no colour,
// so the dump writes to it as to any stream without colour.
TEST_F(AttributeColourTest, ColourReachesTheConsoleOnly) {
    EXPECT_TRUE(colourReaches(std::cout));
    console.attach(std::cerr);
    EXPECT_FALSE(colourReaches(std::cerr)) << "standard error is redirected here";
}

TEST_F(AttributeColourTest, ResetReturnsToTheColoursAtStart) {
    setForegroundColor(std::cout, 9);
    setBackgroundColor(std::cout, 4);
    ASSERT_EQ(system().attributes, 0x8149);

    EXPECT_TRUE(console.resetColors());
    EXPECT_EQ(system().attributes, 0x811E);
}

TEST_F(AttributeColourTest, ResetIsSkippedWhenTheStartColoursWereNeverRead) {
    console.defaultForeground = 0xFFFF;
    console.defaultBackground = 0xFFFF;
    EXPECT_FALSE(console.resetColors());
    EXPECT_TRUE(system().attributesSet.empty());
}

TEST_F(AttributeColourTest, RestorePutsBackWhatPreserveSaved) {
    ASSERT_TRUE(console.preserve());
    setForegroundColor(std::cout, 11);
    setBackgroundColor(std::cout, 0);

    std::cout << Effect{effectRestore, 0};
    EXPECT_EQ(system().attributes, 0x811E);
}

TEST_F(AttributeColourTest, ReverseVideoDoesNothing) {
    std::cout << Effect{effectReverse, 0};
    EXPECT_TRUE(system().attributesSet.empty());
}

struct FailureCase {
    const char* description;
    bool failReading;
    bool foreground;
    const char* expectedLine;
};

std::ostream& operator<<(std::ostream& out, const FailureCase& failure) { return out << failure.description; }

class AttributeFailureTest : public AttributeColourTest, public ::testing::WithParamInterface<FailureCase> {};

TEST_P(AttributeFailureTest, IsReportedUnderTheColourFunctionsName) {
    const FailureCase& failure = GetParam();
    const Answer denied = Answer::failsWith(ERROR_ACCESS_DENIED);
    system().systemText = "Access is denied.\r\n";
    (failure.failReading ? system().screenBufferInfo : system().setAttribute) = denied;

    const bool applied = failure.foreground ? setForegroundColor(std::cout, 3) : setBackgroundColor(std::cout, 3);

    EXPECT_FALSE(applied);
    EXPECT_EQ(errorOutput(), failure.expectedLine);
}

INSTANTIATE_TEST_SUITE_P(
    Failures, AttributeFailureTest,
    ::testing::Values(
        FailureCase{"readingForeground", true, true, "Fatal: in nuk::con::setForegroundColor: \"Access is denied.\" (5)\n"},
        FailureCase{"settingForeground", false, true, "Fatal: in nuk::con::setForegroundColor: \"Access is denied.\" (5)\n"},
        FailureCase{"settingBackground", false, false, "Fatal: in nuk::con::setBackgroundColor: \"Access is denied.\" (5)\n"}),
    [](const ::testing::TestParamInfo<FailureCase>& info) { return std::string(info.param.description); });

TEST_F(AttributeColourTest, SaveAndRestoreFailuresOnARedirectedOutputAreSilent) {
    system().screenBufferInfo = notAConsole;
    system().setAttribute = notAConsole;
    EXPECT_FALSE(console.preserve());
    EXPECT_FALSE(setForegroundColor(std::cout, 3));
    EXPECT_EQ(errorOutput(), "");
}

TEST_F(AttributeColourTest, FailingSaveIsReported) {
    system().screenBufferInfo = Answer::failsWith(ERROR_ACCESS_DENIED);
    system().systemText = "Access is denied.\r\n";
    EXPECT_FALSE(console.preserve());
    EXPECT_EQ(errorOutput(), "Fatal: in nuk::con::Console::preserve: \"Access is denied.\" (5)\n");
}

}  // namespace
}  // namespace nuk::con::test
