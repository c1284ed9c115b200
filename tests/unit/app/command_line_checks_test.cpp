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

// The program's seek and length, as declared, beside its width.
struct ParsedByteCounts {
    Option len = Option('l', "len", "").argument("L", nuk::cli::Integer).requiresArgument();
    Option seek =
        Option('s', "seek", "").argument("S", nuk::cli::Integer).requiresArgument().allowsNegative().defaultsTo("0");
    Option width = Option('w', "width", "").argument("W", nuk::cli::Integer).requiresArgument().defaultsTo("16");
    nuk::cli::Parser parser;

    explicit ParsedByteCounts(std::vector<const char*> words) {
        for (Option* option : {&len, &seek, &width}) parser.addOption(*option);
        words.insert(words.begin(), "hexloom");
        parser.parse(static_cast<int>(words.size()), words.data());
    }

    std::string errors() const { return commandLineErrors(parser, width, {&len, &seek}); }
};

TEST(ByteCountCheck, AcceptsSixtyThreeBitsAndRejectsMoreAsTyped) {
    const WidthCase cases[] = {
        {{"-s", "-9223372036854775807", "-l", "$7fffffffffffffff"}, ""},
        {{"--seek=9223372036854775808"},
         "--seek must be followed by a value from -9223372036854775807 to 9223372036854775807 (found: "
         "'9223372036854775808')"},
        {{"-s", "-0x8000000000000000"},
         "-s must be followed by a value from -9223372036854775807 to 9223372036854775807 (found: "
         "'-0x8000000000000000')"},
        {{"-l", "99999999999999999999", "-w", "0"},
         "-l must be followed by a value from 0 to 9223372036854775807 (found: '99999999999999999999')\n"
         "-w must be followed by a value from 1 to 65536 (found: '0')"},
        // Reported by the parser alone.
        {{"-l-5"}, "-l must be followed by a valid integer (found: '-5')"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParsedByteCounts(c.words).errors(), c.errors) << c.words.front();
    }
}

}  // namespace
