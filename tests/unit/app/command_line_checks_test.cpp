#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/command_line_checks.hpp"
#include "cli/option.hpp"
#include "cli/parser.hpp"

namespace {

using nuk::cli::Option;

// A fresh parser with the program's width option, fed the given words.
struct ParsedWidth {
    Option width = Option('w', "width", "output W bytes per line")
                       .argument("W", nuk::cli::Integer)
                       .requiresArgument()
                       .defaultsTo("16");
    Option hexUpper = Option('H', "hex-upper", "output hexadecimal in uppercase");
    nuk::cli::Parser parser;

    explicit ParsedWidth(std::vector<const char*> words) {
        parser.addOption(width);
        parser.addOption(hexUpper);
        words.insert(words.begin(), "hexloom");
        parser.parse(static_cast<int>(words.size()), words.data());
    }
};

struct WidthCase {
    std::vector<const char*> words;
    std::string errors;  // "" when the command line is fine
};

TEST(WidthCheck, AcceptsOneToMaximumAndRejectsTheRestAsTyped) {
    const WidthCase cases[] = {
        {{}, ""},
        {{"-w", "1"}, ""},
        {{"-w", "8"}, ""},
        {{"--width=65536"}, ""},
        {{"-w", "$10000"}, ""},
        {{"-w", "0"}, "-w must be followed by a value from 1 to 65536 (found: '0')"},
        {{"-w0"}, "-w must be followed by a value from 1 to 65536 (found: '0')"},
        {{"--width", "65537"}, "--width must be followed by a value from 1 to 65536 (found: '65537')"},
        {{"-w", "0x10001"}, "-w must be followed by a value from 1 to 65536 (found: '0x10001')"},
        // saturates to 2147483647 but is quoted as the user typed it
        {{"-w", "99999999999"}, "-w must be followed by a value from 1 to 65536 (found: '99999999999')"},
        {{"-w", "%0"}, "-w must be followed by a value from 1 to 65536 (found: '%0')"},
    };
    for (const auto& c : cases) {
        ParsedWidth parsed(c.words);
        EXPECT_EQ(commandLineErrors(parsed.parser, parsed.width), c.errors)
            << (c.words.empty() ? "(no words)" : c.words.front());
    }
}

TEST(WidthCheck, LeavesValuesTheParserRejectedToTheParser) {
    for (const auto& words : {std::vector<const char*>{"-w", "x"}, {"-w"}, {"-w", "-1"}}) {
        ParsedWidth parsed(words);
        EXPECT_FALSE(widthError(parsed.width).has_value()) << words.back();
        EXPECT_EQ(commandLineErrors(parsed.parser, parsed.width), parsed.parser.errors());
    }
}

TEST(WidthCheck, JoinsAfterTheParserDiagnostics) {
    ParsedWidth parsed({"-z", "-w", "0"});
    EXPECT_EQ(commandLineErrors(parsed.parser, parsed.width),
              "z is not a valid option (found in: '-z')\n"
              "-w must be followed by a value from 1 to 65536 (found: '0')");
}

}  // namespace
