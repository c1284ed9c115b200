// The start-up stream table, the console registry and the Linux attach.

#include <gtest/gtest.h>
#include <unistd.h>

#include <iostream>
#include <sstream>

#include "console/console.hpp"

using namespace nuk::con;

namespace {

Console& sharedConsole() {
    static Console console;
    return console;
}

// Puts another buffer into a standard stream for the length of a test.
class BufferSwap {
public:
    BufferSwap(std::ios& stream, std::streambuf* buffer) : stream_(stream), saved_(stream.rdbuf(buffer)) {}
    ~BufferSwap() { stream_.rdbuf(saved_); }

private:
    std::ios& stream_;
    std::streambuf* saved_;
};

TEST(StreamTable, HoldsTheStandardStreamsInOrder) {
    EXPECT_EQ(streamEntry(0).buffer, std::cin.rdbuf());
    EXPECT_EQ(streamEntry(1).buffer, std::cout.rdbuf());
    EXPECT_EQ(streamEntry(2).buffer, std::cerr.rdbuf());
    EXPECT_EQ(streamEntry(3).buffer, std::clog.rdbuf());
    EXPECT_EQ(streamEntry(0).file, stdin);
    EXPECT_EQ(streamEntry(1).file, stdout);
    EXPECT_EQ(streamEntry(2).file, stderr);
    EXPECT_EQ(streamEntry(3).file, stderr);
    EXPECT_EQ(streamEntry(0).terminal, isatty(0) != 0);
    EXPECT_EQ(streamEntry(1).terminal, isatty(1) != 0);
    EXPECT_EQ(streamEntry(2).terminal, isatty(2) != 0);
}

TEST(StreamTable, TerminalFlagFollowsTheBufferNotTheStreamObject) {
    EXPECT_EQ(isTerminal(std::cout), streamEntry(1).terminal);
    EXPECT_EQ(isTerminal(std::cin), streamEntry(0).terminal);

    std::ostringstream memory;
    EXPECT_FALSE(isTerminal(memory));

    std::ostream sameBuffer(std::cout.rdbuf());
    EXPECT_EQ(isTerminal(sameBuffer), streamEntry(1).terminal);
}

TEST(StreamTable, TheConsoleIsFoundOnlyThroughStandardOutputsBuffer) {
    Console& console = sharedConsole();
    console.attach(std::cout);

    EXPECT_EQ(consoleFor(std::cout), &console);
    std::ostream sameBuffer(std::cout.rdbuf());
    EXPECT_EQ(consoleFor(sameBuffer), &console);

    EXPECT_EQ(consoleFor(std::cerr), nullptr);
    EXPECT_EQ(consoleFor(std::clog), nullptr);
    EXPECT_EQ(consoleFor(std::cin), nullptr);
    std::ostringstream memory;
    EXPECT_EQ(consoleFor(memory), nullptr);

    // A standard stream redirected inside the program is no longer standard output.
    std::stringbuf elsewhere;
    BufferSwap swap(std::cout, &elsewhere);
    EXPECT_EQ(consoleFor(std::cout), nullptr);
    EXPECT_FALSE(isTerminal(std::cout));
}

TEST(Attach, BindsStandardOutputAndChoosesTheTextMode) {
    const struct {
        TextMode before;
        TextMode after;
    } cases[] = {
        {none, unicode}, {unicode, unicode}, {ascii, ascii}, {codePage, unicode}, {wideConsole, unicode},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.before);
        Console& console = sharedConsole();
        console = Console{};
        console.mode = c.before;
        EXPECT_EQ(&console.attach(std::cout), &console);
        EXPECT_EQ(console.mode, c.after);
        EXPECT_TRUE(console.ansiCapable);
        EXPECT_FALSE(console.colorEnabled);
        EXPECT_EQ(console.stream, &std::cout);
        EXPECT_EQ(console.defaultForeground, 0xFFFF);
        EXPECT_EQ(console.defaultBackground, 0xFFFF);
        EXPECT_FALSE(console.trueTypeFont);
    }
}

TEST(StatusReport, TellsWhetherStandardOutputIsATerminal) {
    Console& console = sharedConsole();
    console = Console{};
    console.attach(std::cout);
    std::ostringstream report;
    writeStatus(console, report);
    EXPECT_EQ(report.str(), isatty(1) ? "stdout is a terminal; ANSI capable:yes\n\n"
                                      : "stdout is redirected\n\n");
}

}  // namespace
