// Words and paths quoted in diagnostics keep each diagnostic on one line and
// never reach the terminal as control characters.

#include <gtest/gtest.h>

#include <string>

#include "cli/message.hpp"
#include "cli/option.hpp"
#include "cli/parser.hpp"

namespace {

TEST(OneLine, EscapesControlCharactersOnly) {
    const struct {
        std::string text;
        std::string shown;
    } cases[] = {
        {"plain.prg", "plain.prg"},
        {"a\nb", "a\\nb"},
        {"tab\there\r", "tab\\there\\r"},
        {"\x1b[2J", "\\x1b[2J"},
        {std::string("nul\0end", 7), "nul\\x00end"},
        {"del\x7f", "del\\x7f"},
        {"back\\slash \xc3\xa9 \xff", "back\\slash \xc3\xa9 \xff"},  // UTF-8 and other high bytes stay
    };
    for (const auto& c : cases) EXPECT_EQ(nuk::cli::oneLine(c.text), c.shown) << c.shown;
}

TEST(OneLine, ParserDiagnosticsQuoteWordsOnOneLine) {
    nuk::cli::Option flag('x', "extra", "a flag");
    nuk::cli::Parser parser;
    parser.addOption(flag);
    const char* argv[] = {"hexloom", "-\n", "--extra=\x1b", "--bad\nname"};
    parser.parse(4, argv);
    EXPECT_EQ(parser.errors(),
              "\\n is not a valid option (found in: '-\\n')\n"
              "-x/--extra does not accept arguments (found explicit assignnment: '--extra=\\x1b')\n"
              "bad\\nname is not a valid option (found in: '--bad\\nname')");
}

}  // namespace
