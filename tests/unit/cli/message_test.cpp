// Diagnostics on standard error: prefix, code braces, body, thresholds.

#include <gtest/gtest.h>

#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/message.hpp"

namespace {

using nuk::cli::Msg;

// Captures std::cerr and restores the message settings every test changes.
class Messages : public ::testing::Test {
protected:
    void SetUp() override {
        saved_ = std::cerr.rdbuf(captured_.rdbuf());
        nuk::cli::setProgramName("hexloom");
        nuk::cli::setQuietLevel(0);
    }
    void TearDown() override {
        std::cerr.rdbuf(saved_);
        nuk::cli::setProgramName("");
        nuk::cli::setQuietLevel(0);
        nuk::cli::setVerboseLevel(0);
    }
    std::string printed() {
        std::string text = captured_.str();
        captured_.str("");
        return text;
    }

private:
    std::ostringstream captured_;
    std::streambuf* saved_ = nullptr;
};

TEST_F(Messages, LineCarriesNameSeverityAndCode) {
    struct Case {
        Msg message;
        std::string line;
        bool result;
    };
    const Case cases[] = {
        {Msg{1, 0, "careful", {}}, "hexloom: warning: careful\n", false},
        {Msg{2, 5, "broken", {}}, "hexloom: error: {5} broken\n", false},
        {Msg{3, 0, "stop", {}}, "hexloom: fatal: stop\n", true},
        {Msg{3, -1, "minus", {}}, "hexloom: fatal: {-1} minus\n", true},
        {Msg{4, 0, "odd", {}}, "hexloom: undef: odd\n", true},
        {Msg{2, 0, "first\nsecond", {}}, "hexloom: error: first\nsecond\n", false},
        {Msg{1, 0, "", {}}, "hexloom: warning: \n", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        EXPECT_EQ(c.message.print(), c.result);
        EXPECT_EQ(printed(), c.line);
    }
}

TEST_F(Messages, WriterReplacesText) {
    Msg message{2, 7, "ignored", [](std::ostream& out) { out << "'a.prg': " << 42; }};
    message.print();
    EXPECT_EQ(printed(), "hexloom: error: {7} 'a.prg': 42\n");
}

TEST_F(Messages, PrintAsWarningUsesTheGivenCodeAndReturnsFalse) {
    Msg fatalOne{3, 9, "disk full", {}};
    EXPECT_FALSE(fatalOne.printAsWarning());
    EXPECT_EQ(printed(), "hexloom: warning: disk full\n");
    EXPECT_FALSE(fatalOne.printAsWarning(-2));
    EXPECT_EQ(printed(), "hexloom: warning: {-2} disk full\n");
    nuk::cli::setQuietLevel(2);
    EXPECT_FALSE(fatalOne.printAsWarning());
    EXPECT_EQ(printed(), "");
}

TEST_F(Messages, EmptyProgramNameLeavesTheColon) {
    nuk::cli::setProgramName("");
    nuk::cli::error("no name");
    EXPECT_EQ(printed(), ": error: no name\n");
}

TEST_F(Messages, QuietLevelsHideBySeverity) {
    struct Level {
        int quiet;
        std::string shown;  // what warning, error and fatal print together
    };
    const Level levels[] = {
        {-1, "hexloom: warning: w\nhexloom: error: e\nhexloom: fatal: f\n"},
        {0, "hexloom: warning: w\nhexloom: error: e\nhexloom: fatal: f\n"},
        {1, "hexloom: warning: w\nhexloom: error: e\nhexloom: fatal: f\n"},
        {2, "hexloom: error: e\nhexloom: fatal: f\n"},
        {3, "hexloom: fatal: f\n"},
        {4, ""},
        {9, ""},
    };
    for (const Level& level : levels) {
        SCOPED_TRACE("quiet " + std::to_string(level.quiet));
        nuk::cli::setQuietLevel(level.quiet);
        // The results do not depend on whether anything was printed.
        EXPECT_FALSE(nuk::cli::warning("w"));
        EXPECT_TRUE(nuk::cli::error("e"));
        EXPECT_TRUE(nuk::cli::fatal("f"));
        EXPECT_EQ(printed(), level.shown);
    }
}

TEST_F(Messages, NotesOnlyWithVerboseSeverityFourOutlivesFatal) {
    EXPECT_FALSE(nuk::cli::isShown(0));
    EXPECT_TRUE(nuk::cli::isShown(4));
    Msg{0, 0, "zero", {}}.print();
    EXPECT_EQ(printed(), "");
    nuk::cli::setVerboseLevel(1);
    nuk::cli::setQuietLevel(3);
    EXPECT_FALSE((Msg{0, 0, "zero", {}}.print()));
    EXPECT_EQ(printed(), "hexloom: note: zero\n");
    nuk::cli::setQuietLevel(4);
    EXPECT_FALSE(nuk::cli::isShown(3));
    EXPECT_TRUE(nuk::cli::isShown(4));
    nuk::cli::setQuietLevel(5);
    EXPECT_FALSE(nuk::cli::isShown(4));
}

TEST_F(Messages, CodesPassThroughTheHelpers) {
    nuk::cli::warning("w", 3);
    nuk::cli::fatal("f", -12);
    EXPECT_EQ(printed(), "hexloom: warning: {3} w\nhexloom: fatal: {-12} f\n");
}

TEST(MessageNames, SeverityNames) {
    EXPECT_STREQ(nuk::cli::severityName(1), "warning");
    EXPECT_STREQ(nuk::cli::severityName(2), "error");
    EXPECT_STREQ(nuk::cli::severityName(3), "fatal");
    EXPECT_STREQ(nuk::cli::severityName(0), "note");
    EXPECT_STREQ(nuk::cli::severityName(-3), "undef");
}

}  // namespace

namespace {

// Remembers what had been written at each flush.
class FlushRecorder : public std::stringbuf {
public:
    std::vector<std::string> flushedAt;

protected:
    int sync() override {
        flushedAt.push_back(str());
        return std::stringbuf::sync();
    }
};

TEST(MessageFlush, EveryMessageIsFlushedAfterItsLine) {
    FlushRecorder buffer;
    std::streambuf* saved = std::cerr.rdbuf(&buffer);
    // Standard error flushes after every write by default; without that, only
    // the message's own flush remains to be seen.
    const std::ios::fmtflags flags = std::cerr.flags();
    std::cerr.unsetf(std::ios::unitbuf);
    nuk::cli::setProgramName("p");
    nuk::cli::warning("one");
    nuk::cli::error("two");
    std::cerr.flags(flags);
    std::cerr.rdbuf(saved);
    nuk::cli::setProgramName("");
    EXPECT_EQ(buffer.flushedAt, (std::vector<std::string>{"p: warning: one\n", "p: warning: one\np: error: two\n"}));
}

}  // namespace
