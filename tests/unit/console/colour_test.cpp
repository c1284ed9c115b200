// Colour output of the console bound to standard output: the exact escape
// sequences, and silence whenever colour is off or the stream is another one.

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>

#include "console/console.hpp"
#include "descriptor_capture.hpp"

using namespace nuk::con;

namespace {

// The registry keeps a plain pointer, so the console must outlive every test.
Console& sharedConsole() {
    static Console console;
    return console;
}

class ColourTest : public ::testing::Test {
protected:
    void SetUp() override {
        console_ = Console{};
        console_.attach(std::cout);
    }

    // Writes the effect to std::cout and returns the bytes that reached descriptor 1.
    static std::string writtenToStdout(const Effect& effect) {
        DescriptorCapture capture(1);
        std::cout << effect;
        return capture.finish();
    }

    Console& console_ = sharedConsole();
};

struct ColourEscapes {
    int colour;
    const char* foreground;
    const char* background;
};

// Console colours put blue in bit 0 and red in bit 2; bright colours are bold
// foregrounds and 100..107 backgrounds.
const ColourEscapes allColours[] = {
    {0, "\x1b[22;30m", "\x1b[22;40m"},     {1, "\x1b[22;34m", "\x1b[22;44m"},
    {2, "\x1b[22;32m", "\x1b[22;42m"},     {3, "\x1b[22;36m", "\x1b[22;46m"},
    {4, "\x1b[22;31m", "\x1b[22;41m"},     {5, "\x1b[22;35m", "\x1b[22;45m"},
    {6, "\x1b[22;33m", "\x1b[22;43m"},     {7, "\x1b[22;37m", "\x1b[22;47m"},
    {8, "\x1b[22;30;1m", "\x1b[22;100m"},  {9, "\x1b[22;34;1m", "\x1b[22;104m"},
    {10, "\x1b[22;32;1m", "\x1b[22;102m"}, {11, "\x1b[22;36;1m", "\x1b[22;106m"},
    {12, "\x1b[22;31;1m", "\x1b[22;101m"}, {13, "\x1b[22;35;1m", "\x1b[22;105m"},
    {14, "\x1b[22;33;1m", "\x1b[22;103m"}, {15, "\x1b[22;37;1m", "\x1b[22;107m"},
};

TEST_F(ColourTest, EveryColourHasItsForegroundAndBackgroundEscape) {
    console_.colorEnabled = true;
    for (const ColourEscapes& expected : allColours) {
        SCOPED_TRACE(expected.colour);
        EXPECT_EQ(writtenToStdout(Effect{effectForeground, expected.colour}), expected.foreground);
        EXPECT_EQ(writtenToStdout(Effect{effectBackground, 0xFFFF, expected.colour}), expected.background);
    }
}

TEST_F(ColourTest, SetColourFunctionsReportWhetherTheyWrote) {
    DescriptorCapture capture(1);
    EXPECT_FALSE(setForegroundColor(std::cout, 9));
    EXPECT_FALSE(setBackgroundColor(std::cout, 1));
    console_.colorEnabled = true;
    EXPECT_TRUE(setForegroundColor(std::cout, 9));
    EXPECT_TRUE(setBackgroundColor(std::cout, 12));
    EXPECT_EQ(capture.finish(), "\x1b[22;34;1m\x1b[22;101m");
}

TEST_F(ColourTest, EachActionWritesItsOwnSequence) {
    console_.colorEnabled = true;
    const struct {
        Effect effect;
        const char* written;
    } cases[] = {
        {{effectColors, 11, 1}, "\x1b[22;36;1m\x1b[22;44m"},
        {{effectResetColors, 0}, "\x1b[0;22m"},
        {{effectReverse, 0}, "\x1b[0;7m"},
        {{effectRestore, 0}, "\x1b[0;22m"},
        {{effectPreserve, 0}, ""},
        // One action per effect: a combination of bits is no action at all.
        {{effectForeground | effectBackground, 9, 1}, ""},
        {{0, 9, 1}, ""},
        {{128, 9, 1}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.effect.action);
        EXPECT_EQ(writtenToStdout(c.effect), c.written);
    }
}

TEST_F(ColourTest, EffectsChainWithTheTextTheyColour) {
    console_.colorEnabled = true;
    DescriptorCapture capture(1);
    std::cout << Effect{effectForeground, 9} << "0801" << Effect{effectForeground, 15} << ": 01";
    EXPECT_EQ(capture.finish(), "\x1b[22;34;1m0801\x1b[22;37;1m: 01");
}

TEST_F(ColourTest, NothingIsWrittenWithColourOff) {
    console_.colorEnabled = false;
    for (int action : {effectForeground, effectBackground, effectResetColors, effectColors,
                       effectReverse, effectPreserve, effectRestore}) {
        SCOPED_TRACE(action);
        EXPECT_EQ(writtenToStdout(Effect{action, 9, 1}), "");
    }
}

TEST_F(ColourTest, OtherStreamsReceiveNothingEvenWithColourOn) {
    console_.colorEnabled = true;
    std::ostringstream memory;
    DescriptorCapture standardError(2);
    for (int action : {effectForeground, effectBackground, effectResetColors, effectColors,
                       effectReverse, effectPreserve, effectRestore}) {
        memory << Effect{action, 9, 1};
        std::cerr << Effect{action, 9, 1};
        std::clog << Effect{action, 9, 1};
    }
    EXPECT_FALSE(setForegroundColor(memory, 9));
    EXPECT_FALSE(setBackgroundColor(std::cerr, 9));
    EXPECT_EQ(standardError.finish(), "");
    EXPECT_EQ(memory.str(), "");
}

// A colour outside 0..15, such as the "not set" marker 0xFFFF, would turn
// into an escape for some other colour.
TEST_F(ColourTest, ColoursOutsideTheSixteenAreRefused) {
    console_.colorEnabled = true;
    DescriptorCapture capture(1);
    for (int colour : {-1, 16, 0xFFFF}) {
        EXPECT_FALSE(setForegroundColor(std::cout, colour));
        EXPECT_FALSE(setBackgroundColor(std::cout, colour));
        std::cout << Effect{effectColors, colour, colour};
    }
    EXPECT_EQ(capture.finish(), "");
}

TEST_F(ColourTest, ConsoleMethodsWriteOnlyWithColourOn) {
    DescriptorCapture capture(1);
    EXPECT_FALSE(console_.restore());
    EXPECT_FALSE(console_.resetColors());
    EXPECT_FALSE(console_.reverse());
    EXPECT_TRUE(console_.preserve());
    EXPECT_EQ(capture.finish(), "");

    console_.colorEnabled = true;
    DescriptorCapture coloured(1);
    EXPECT_TRUE(console_.preserve());
    EXPECT_TRUE(console_.reverse());
    EXPECT_TRUE(console_.resetColors());
    EXPECT_TRUE(console_.restore());
    EXPECT_EQ(coloured.finish(), "\x1b[0;7m\x1b[0;22m\x1b[0;22m");
}

TEST_F(ColourTest, ColourNeedsAnAnsiCapableConsole) {
    console_.colorEnabled = true;
    console_.ansiCapable = false;
    DescriptorCapture capture(1);
    EXPECT_FALSE(setForegroundColor(std::cout, 9));
    EXPECT_FALSE(console_.restore());
    EXPECT_FALSE(console_.reverse());
    std::cout << Effect{effectResetColors, 0};
    EXPECT_EQ(capture.finish(), "");
}

}  // namespace
