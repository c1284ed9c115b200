// The parser's treatment of every kind of command-line word, and each of its
// diagnostics byte for byte.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/parser.hpp"

namespace {

using nuk::cli::Integer;
using nuk::cli::List;
using nuk::cli::Option;
using nuk::cli::Parser;
using nuk::cli::Text;

// A fresh set of options for every case, registered in this order.
struct CommandLine {
    Option verbose = Option('v', "verbose", "more output").counted();
    Option hexUpper = Option('H', "hex-upper", "upper case");
    Option help = Option('?', "help", "this help").standalone();
    Option width = Option('w', "width", "bytes per line").argument("W", Integer).defaultsTo("16");
    Option numbers = Option('n', "numbers", "").argument("N", Integer).alsoAccepts(List);
    Option tags = Option('t', "tags", "").argument("T", Text).alsoAccepts(List);
    Option mode = Option('m', "mode", "").argument("M", Text).choicesOf({"fast", "slow", "^legacy"});
    Option colors = Option('c', "colors", "").argument("C", Text).alsoAccepts(List).choicesOf({"red", "^blue"});
    Option nothing = Option('e', "nothing", "").argument("E", Text).choicesOf({});
    Option x = Option(0, "x", "one-letter long name");
    Option offset = Option('o', "offset", "").argument("O", Integer).allowsNegative();
    Option dialect = Option(0, "dialect", "").argument("D", Text).optionalArgument();
    Parser parser;

    CommandLine() {
        for (Option* option : all()) parser.addOption(*option);
    }

    std::vector<Option*> all() {
        return {&verbose, &hexUpper, &help, &width, &numbers, &tags, &mode, &colors, &nothing, &x, &offset, &dialect};
    }

    void parse(std::vector<std::string> words) {
        words.insert(words.begin(), "prog");
        parser.parseWords(words);
    }

    // What the parse left in the options, e.g. "verbose as -v in -vv x2; width = 16".
    std::string state() {
        std::string text;
        for (Option* option : all()) {
            if (!option->given() && !option->hasValues() && option->count == 0) continue;
            if (!text.empty()) text += "; ";
            text += option->longName;
            if (option->given()) text += " as " + option->givenAs() + " in " + option->foundIn;
            if (option->count != 0) text += " x" + std::to_string(option->count);
            if (option->hasValues()) {
                text += " =";
                for (const std::string& value : option->values) text += " [" + value + "]";
            }
        }
        return text;
    }
};

struct ParseCase {
    std::vector<std::string> words;
    std::string state;
    std::vector<std::string> positionals;
    std::string errors;
};

void expectParse(const std::vector<ParseCase>& cases) {
    for (const ParseCase& expected : cases) {
        std::string commandLine;
        for (const std::string& word : expected.words) commandLine += " '" + word + "'";
        SCOPED_TRACE("command line:" + commandLine);
        CommandLine cli;
        cli.parse(expected.words);
        EXPECT_EQ(cli.state(), expected.state);
        EXPECT_EQ(cli.parser.arguments(), expected.positionals);
        EXPECT_EQ(cli.parser.errors(), expected.errors);
        EXPECT_EQ(cli.parser.errorText.has_value(), !expected.errors.empty());
    }
}

// A word of "-" and an integer is the value of an option that allows it, in
// every form; for any other option it is still a cluster of short names.
TEST(Parse, NegativeValuesOnlyWhereAllowed) {
    expectParse({
        {{"-o", "-5"}, "width = [16]; offset as -o in -o = [-5]", {}, ""},
        {{"-o-$1f"}, "width = [16]; offset as -o in -o-$1f = [-$1f]", {}, ""},
        {{"--offset=-0x10"}, "width = [16]; offset as --offset in --offset=-0x10 = [-0x10]", {}, ""},
        {{"-o", "-", "f"}, "width = [16]; offset as -o in -o", {"-", "f"}, ""},
        {{"-o", "-v"}, "width = [16]; offset as -o in -o", {},
         "-o must be followed by an argument (found: '-v' instead)"},
        {{"-o", "--5"}, "width = [16]; offset as -o in -o", {},
         "5 is not a valid option (found in: '--5')"},
        {{"-o-x"}, "width = [16]; offset as -o in -o-x", {}, "-o must be followed by a valid integer (found: '-x')"},
        {{"-w", "-5"}, "width as -w in -w = [16]", {},
         "5 is not a valid option (found in: '-5')"},
        {{"-w-5"}, "width as -w in -w-5 = [16]", {}, "-w must be followed by a valid integer (found: '-5')"},
    });
}

TEST(Parse, AnOptionalValueOnlyInTheOptionsOwnWord) {
    expectParse({
        {{"--dialect", "7"}, "width = [16]; dialect as --dialect in --dialect", {"7"}, ""},
        {{"--dialect=7", "f"}, "width = [16]; dialect as --dialect in --dialect=7 = [7]", {"f"}, ""},
    });
}

TEST(Parse, ShortOptionsAndClusters) {
    expectParse({
        {{}, "width = [16]", {}, ""},
        {{"-vv"}, "verbose as -v in -vv x2; width = [16]", {}, ""},
        {{"-v", "-v"}, "verbose as -v in -v x2; width = [16]", {}, ""},
        {{"-w8"}, "width as -w in -w8 = [8]", {}, ""},
        {{"-w", "8"}, "width as -w in -w = [8]", {}, ""},
        {{"-Hw8"}, "hex-upper as -H in -Hw8; width as -w in -Hw8 = [8]", {}, ""},
        {{"-wH"}, "width as -w in -wH = [16]", {}, "-w must be followed by a valid integer (found: 'H')"},
        {{"-?x"}, "help as -? in -?x; width = [16]", {}, ""},
        {{"-v?v"}, "verbose as -v in -v?v x1; help as -? in -v?v; width = [16]", {}, ""},
        {{"-zv"}, "width = [16]", {}, "z is not a valid option (found in: '-zv')"},
        {{"-x"}, "width = [16]; x as -x in -x", {}, ""},
        {{"-H", "file"}, "hex-upper as -H in -H; width = [16]", {"file"}, ""},
        {{"a", "-v", "b"}, "verbose as -v in -v x1; width = [16]", {"a", "b"}, ""},
    });
}

TEST(Parse, LongOptions) {
    expectParse({
        {{"--width=8"}, "width as --width in --width=8 = [8]", {}, ""},
        {{"--width", "8"}, "width as --width in --width = [8]", {}, ""},
        {{"--width=8=9"}, "width as --width in --width=8=9 = [16]", {},
         "--width must be followed by a valid integer (found: '8=9')"},
        {{"--v"}, "verbose as -v in --v x1; width = [16]", {}, ""},
        {{"--x"}, "width = [16]; x as -x in --x", {}, ""},
        {{"--help=yes"}, "help as --help in --help=yes; width = [16]", {}, ""},
        {{"--verbose=1"}, "verbose as --verbose in --verbose=1 x1; width = [16]", {},
         "-v/--verbose does not accept arguments (found explicit assignnment: '--verbose=1')"},
        {{"--x=1"}, "width = [16]; x as -x in --x=1", {},
         "--x does not accept arguments (found explicit assignnment: '--x=1')"},
        {{"--width="}, "width as --width in --width= = [16]", {}, "argument assignment missing (found: '--width=')"},
        {{"--=5"}, "width = [16]", {}, " is not a valid option (found in: '--=5')"},
        {{"---x"}, "width = [16]", {}, "-x is not a valid option (found in: '---x')"},
        {{"--Width"}, "width = [16]", {}, "Width is not a valid option (found in: '--Width')"},
        {{"--wid"}, "width = [16]", {}, "wid is not a valid option (found in: '--wid')"},
    });
}

TEST(Parse, PendingValues) {
    expectParse({
        // No default is filled in when the line ends waiting for a value.
        {{"-w"}, "width as -w in -w", {}, "-w must be followed by an argument"},
        {{"-v", "--width"}, "verbose as -v in -v x1; width as --width in --width", {},
         "--width must be followed by an argument"},
        {{"-w", "-H"}, "width as -w in -w = [16]", {}, "-w must be followed by an argument (found: '-H' instead)"},
        {{"-w", "--verbose"}, "width as -w in -w = [16]", {},
         "-w must be followed by an argument (found: '--verbose' instead)"},
        {{"-w", "--help"}, "width as -w in -w = [16]", {},
         "-w must be followed by an argument (found: '--help' instead)"},
        // An unknown name is reported instead, and the wait for a value ends.
        {{"-w", "-z"}, "width as -w in -w = [16]", {}, "z is not a valid option (found in: '-z')"},
        {{"-w", "-"}, "width as -w in -w = [16]", {"-"}, ""},
        {{"-w", "--", "a", "-H"}, "width as -w in -w", {"a", "-H"}, "-w must be followed by an argument"},
        {{"-w", "x"}, "width as -w in -w = [16]", {}, "-w must be followed by a valid integer (found: 'x')"},
        {{"-w", ""}, "width as -w in -w = [16]", {}, "-w must be followed by a valid integer (found: '')"},
        {{"-w", "1", "-w", "2"}, "width as -w in -w = [1]", {"2"},
         "-w can only be specified once (found earlier: '-w')"},
        {{"--width=1", "-w2"}, "width as --width in --width=1 = [1]", {},
         "--width can only be specified once (found earlier: '--width=1')"},
        // Several diagnostics, in the order they were found; parsing goes on.
        {{"-wx", "-vz", "--bad"}, "verbose as -v in -vz x1; width as -w in -wx = [16]", {},
         "-w must be followed by a valid integer (found: 'x')\n"
         "z is not a valid option (found in: '-vz')\n"
         "bad is not a valid option (found in: '--bad')"},
    });
}

TEST(Parse, EndOfOptionsAndLoneDash) {
    expectParse({
        {{"--", "-x", "--width=3", "--"}, "width = [16]", {"-x", "--width=3", "--"}, ""},
        {{"-", "-v"}, "verbose as -v in -v x1; width = [16]", {"-"}, ""},
        {{""}, "width = [16]", {""}, ""},
    });
}

TEST(Parse, ListsAndChoices) {
    expectParse({
        {{"-n1,2", "-n", "3"}, "width = [16]; numbers as -n in -n = [1] [2] [3]", {}, ""},
        // The second occurrence finds the first one's values: nothing missing.
        {{"-n", "1,2", "-n"}, "width = [16]; numbers as -n in -n = [1] [2]", {}, ""},
        {{"-n1,x,3"}, "width = [16]; numbers as -n in -n1,x,3 = [1]", {},
         "-n must be followed by one or more valid integers (found: 'x' in '1,x,3')"},
        {{"-n1,"}, "width = [16]; numbers as -n in -n1, = [1]", {},
         "-n must be followed by one or more valid integers (found: '' in '1,')"},
        {{"--numbers=x"}, "width = [16]; numbers as --numbers in --numbers=x", {},
         "--numbers must be followed by a valid integer (found: 'x')"},
        {{"-t", ",a,,b,"}, "width = [16]; tags as -t in -t = [,a] [] [b] []", {}, ""},
        {{"-t,"}, "width = [16]; tags as -t in -t, = [,]", {}, ""},
        {{"-mfast"}, "width = [16]; mode as -m in -mfast = [fast]", {}, ""},
        {{"--mode=legacy"}, "width = [16]; mode as --mode in --mode=legacy = [legacy]", {}, ""},
        {{"-m", "Fast"}, "width = [16]; mode as -m in -m", {}, "'Fast' is not a valid choice for -m"},
        {{"-cred,blue,pink,red"}, "width = [16]; colors as -c in -cred,blue,pink,red = [red] [blue]", {},
         "'pink' is not a valid choice for -c"},
        {{"--nothing", "a"}, "width = [16]; nothing as --nothing in --nothing", {},
         "'a' is not a valid choice for --nothing"},
    });
}

TEST(Parse, RepeatedParseStartsFromFreshResults) {
    CommandLine cli;
    cli.parse({"-z", "a"});
    cli.parse({"b"});
    EXPECT_EQ(cli.parser.errors(), "");
    EXPECT_FALSE(cli.parser.errorText.has_value());
    EXPECT_EQ(cli.parser.arguments(), std::vector<std::string>{"b"});
}

TEST(Parse, ArgvWithNullEntriesAndNoWords) {
    CommandLine cli;
    const char* const argv[] = {nullptr, "-v", nullptr, "file", nullptr};
    cli.parser.parse(4, argv);
    EXPECT_EQ(cli.parser.programName, "");
    EXPECT_EQ(cli.state(), "verbose as -v in -v x1; width = [16]");
    EXPECT_EQ(cli.parser.arguments(), std::vector<std::string>{"file"});

    CommandLine empty;
    empty.parser.parse(0, argv);
    EXPECT_EQ(empty.parser.programName, "");
    EXPECT_EQ(empty.state(), "width = [16]");
    CommandLine noVector;
    noVector.parser.parse(3, static_cast<const char* const*>(nullptr));
    EXPECT_EQ(noVector.parser.errors(), "");
}

TEST(Parse, ProgramNameIsTheFirstWordAsTyped) {
    CommandLine cli;
    const char* const argv[] = {"./bin/prog", "-v"};
    cli.parser.parse(2, argv);
    EXPECT_EQ(cli.parser.programName, "./bin/prog");
}

// A program with commands: "prog [-v] add [-f] [remote [-u]] ...".
struct CommandTree {
    Option verbose = Option('v', "verbose", "");
    Option force = Option('f', "force", "").argument("F", Integer).defaultsTo("1");
    Option upstream = Option('u', "upstream", "");
    Parser parser;
    Parser& add = parser.addCommand("add", "add things");
    Parser& remote = add.addCommand("remote", "add a remote");

    CommandTree() {
        parser.addOption(verbose);
        add.addOption(force);
        remote.addOption(upstream);
    }

    void parse(const std::vector<std::string>& words) { parser.parseWords(words); }
};

TEST(ParseCommands, DescendsWhileTheSecondWordNamesACommand) {
    CommandTree tree;
    tree.parse({"./prog", "add", "remote", "-u", "origin"});
    ASSERT_NE(tree.parser.selectedCommand, nullptr);
    EXPECT_EQ(tree.parser.selectedCommand->name, "add");
    ASSERT_NE(tree.add.selectedCommand, nullptr);
    EXPECT_EQ(tree.add.selectedCommand->name, "remote");
    EXPECT_EQ(tree.parser.programName, "./prog");
    EXPECT_EQ(tree.add.programName, "add");
    EXPECT_EQ(tree.remote.programName, "remote");
    EXPECT_TRUE(tree.upstream.given());
    EXPECT_EQ(tree.parser.arguments(), std::vector<std::string>{"origin"});
    EXPECT_EQ(&tree.parser.deepestSelected(), &tree.remote);
    // Only the selected parser fills its defaults.
    EXPECT_FALSE(tree.force.hasValues());
}

TEST(ParseCommands, ErrorsAndArgumentsComeFromTheDeepestParser) {
    CommandTree tree;
    tree.parse({"prog", "add", "-v", "-f", "x", "y"});
    EXPECT_EQ(&tree.parser.deepestSelected(), &tree.add);
    EXPECT_EQ(tree.parser.errors(),
              "v is not a valid option (found in: '-v')\n-f must be followed by a valid integer (found: 'x')");
    EXPECT_FALSE(tree.parser.errorText.has_value());
    EXPECT_EQ(tree.parser.arguments(), std::vector<std::string>{"y"});
    EXPECT_EQ(tree.force.values, std::vector<std::string>{"1"});
}

TEST(ParseCommands, ACommandNameLaterOnTheLineIsAPlainWord) {
    CommandTree tree;
    tree.parse({"prog", "-v", "add"});
    EXPECT_EQ(tree.parser.selectedCommand, nullptr);
    EXPECT_TRUE(tree.verbose.given());
    EXPECT_EQ(tree.parser.arguments(), std::vector<std::string>{"add"});

    CommandTree nested;
    nested.parse({"prog", "remote"});
    EXPECT_EQ(nested.parser.selectedCommand, nullptr);
    EXPECT_EQ(nested.parser.arguments(), std::vector<std::string>{"remote"});
}

}  // namespace
