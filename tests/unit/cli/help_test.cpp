// Usage line, option listing with its column arithmetic, choice lists,
// commands, and the hint after an error.

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli/parser.hpp"

namespace {

using nuk::cli::Integer;
using nuk::cli::List;
using nuk::cli::Option;
using nuk::cli::Parser;
using nuk::cli::Text;

std::string helpOf(const Parser& parser) {
    std::ostringstream out;
    parser.printHelp(out);
    return out.str();
}

TEST(Help, OptionLinesLineUpTwoBlanksAfterTheWidestColumn) {
    Option width = Option('w', "width", "output W bytes per line").argument("W", Integer);
    Option hex0x = Option(0, "0x", "hexadecimal with 0x");
    Option level = Option('d', "debug", "debug level").argument("L", Integer);
    level.argRequired = false;
    Option view = Option(0, "view", "drawn").argument("M", Text).optionalArgument();
    Option quiet = Option('q', "", "");
    Option secret = Option('s', "a-secret-and-very-long-name", "hidden").hidden();
    Parser parser;
    for (Option* option : {&width, &hex0x, &level, &view, &quiet, &secret}) parser.addOption(*option);
    ASSERT_EQ(parser.helpWidth, 17u);
    // No heading at all with only the default group and no commands.
    EXPECT_EQ(helpOf(parser),
              " -w/--width <W>  output W bytes per line\n"
              "    --0x         hexadecimal with 0x\n"
 " -d/--debug[=L]  debug level\n"
              "    --view[=M]   drawn\n"
              " -q              \n");
}

TEST(Help, ALineLongerThanTheColumnIsNotCut) {
    Option longOne = Option(0, "long", "").argument("VALUE", Text);
    Parser parser;
    parser.addOption(longOne);
    parser.helpWidth = 4;
    EXPECT_EQ(helpOf(parser), "    --long <VALUE>\n");
}

TEST(Help, TitledGroupsFollowTheDefaultGroup) {
    Option a('a', "alpha", "first");
    Option b('b', "beta", "second");
    Option c = Option('c', "gamma", "third").hidden();
    Parser parser;
    parser.setGroupTitle("extra", "Extra options");
    parser.setGroupTitle("ghosts", "Hidden ones");
    parser.addOption("extra", b);
    parser.addOption(a);
    parser.addOption("ghosts", c);
    parser.addOption("untitled", b);
    EXPECT_EQ(helpOf(parser),
              " -a/--alpha  first\n"
              "\nExtra options:\n"
              " -b/--beta   second\n"
              "\nHidden ones:\n"
              " -b/--beta   second\n");
}

TEST(Help, ChoiceListsWrapBeforeColumnSeventySix) {
    // The choice line starts under the help text: 17 blanks, "  M: ",
    // entries from column 17 + 1 + 4 = 22; an entry ending right at
    // column 76 still fits.
    Option mode = Option('m', "mode", "how to go").argument("M", Text).choicesOf({
        "fast", "^legacy", "slow", std::string(20, 'a'), std::string(20, 'b'), "gg", std::string(10, 'c'),
        std::string(54, 'd'), "f", "g",
    });
    Option pad = Option(0, "padding-x", "");
    Parser parser;
    parser.addOption(mode);
    parser.addOption(pad);
    ASSERT_EQ(parser.helpWidth, 17u);
    const std::string indent(22, ' ');
    EXPECT_EQ(helpOf(parser), " -m/--mode <M>   how to go\n" + std::string(17, ' ') + "  M: fast,slow," +
                                  std::string(20, 'a') + "," + std::string(20, 'b') + ",gg,\n" + indent +
                                  std::string(10, 'c') + ",\n" + indent + std::string(54, 'd') + ",\n" + indent +
                                  "f,g\n" + "    --padding-x  \n");
}

TEST(Help, AFirstChoiceTooLongWrapsRightAfterTheArgumentName) {
    // Once an entry passes column 76 every later one goes on a line of its own.
    Option mode = Option('m', "mode", "").argument("M", Text).choicesOf({std::string(60, 'x'), "^hidden", "y"});
    Parser parser;
    parser.addOption(mode);
    ASSERT_EQ(parser.helpWidth, 16u);
    const std::string indent(21, ' ');
    EXPECT_EQ(helpOf(parser), " -m/--mode <M>  \n" + std::string(16, ' ') + "  M: \n" + indent +
                                  std::string(60, 'x') + ",\n" + indent + "y\n");
}

TEST(Help, RestrictedWithoutListedChoicesWritesAnEmptyList) {
    Option mode = Option('m', "", "only hidden").argument("M", Text).alsoAccepts(List).choicesOf({"^a"});
    Parser parser;
    parser.addOption(mode);
    ASSERT_EQ(parser.helpWidth, 10u);
    EXPECT_EQ(helpOf(parser), " -m <M>   only hidden\n" + std::string(10, ' ') + "  M: \n");
}

// "prog [-v] add|remove|(hidden) secret".
struct Program {
    Option verbose = Option('v', "verbose", "more");
    Option titled = Option('t', "titled", "in a titled group");
    Option force = Option('f', "force", "force it");
    Parser parser;
    Parser& add = parser.addCommand("add", "add things");
    Parser& remove = parser.addCommand("remove", "remove things");
    Parser& secret = parser.addCommand("secret-command", "not listed", true);

    Program() {
        parser.setDescription("\n[options...] [command]\nThe second line.");
        parser.addOption(verbose);
        parser.addOption("titled", titled);
        parser.setGroupTitle("titled", "Titled");
        add.setDescription("[-f] THING");
        add.addOption(force);
    }

    void parse(const std::vector<std::string>& words) { parser.parseWords(words); }
};

TEST(Help, CommandsReplaceTheOtherGroups) {
    Program program;
    program.parse({"./prog"});
    EXPECT_EQ(helpOf(program.parser),
              "Available options when no command is given:\n"
              " -v/--verbose  more\n"
              "\nAvailable commands: ('./prog [command] --help')\n"
              "     add: add things\n"
              "  remove: remove things\n");
}

TEST(Help, HelpAfterDescentListsTheSelectedCommandsOptions) {
    Program program;
    program.parse({"./prog", "add", "--help"});
    EXPECT_EQ(helpOf(program.parser), " -f/--force  force it\n");
}

TEST(Usage, UsageLinesAndTryHint) {
    struct Case {
        std::vector<std::string> words;
        std::string usage, usageLine, tryHelp;
    };
    const Case cases[] = {
        {{"./prog"}, "usage: ./prog [options...] [command]\nThe second line.\n",
         "usage: ./prog [options...] [command]\n", "Try './prog --help' for more information.\n"},
        {{"./prog", "add", "x"}, "usage: ./prog add [-f] THING\n", "usage: ./prog add [-f] THING\n",
         "Try './prog add --help' for more information.\n"},
        {{"./prog", "remove"}, "usage: ./prog remove \n", "usage: ./prog remove \n",
         "Try './prog remove --help' for more information.\n"},
        {{"/a path/prog", "secret-command"}, "usage: /a path/prog secret-command \n",
         "usage: /a path/prog secret-command \n", "Try '/a path/prog secret-command --help' for more information.\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.usage);
        Program program;
        program.parse(c.words);
        std::ostringstream usage, usageLine, tryHelp;
        program.parser.printUsage(usage);
        program.parser.printUsageLine(usageLine);
        program.parser.printTryHelp(tryHelp);
        EXPECT_EQ(usage.str(), c.usage);
        EXPECT_EQ(usageLine.str(), c.usageLine);
        EXPECT_EQ(tryHelp.str(), c.tryHelp);
    }
}

TEST(Usage, DescriptionStartingWithALineBreakGivesAnEmptyUsageLine) {
    Parser parser;
    parser.setDescription("\n\nsecond line");
    parser.parseWords({"prog"});
    std::ostringstream usageLine, usage;
    parser.printUsageLine(usageLine);
    parser.printUsage(usage);
    EXPECT_EQ(usageLine.str(), "usage: prog \n");
    EXPECT_EQ(usage.str(), "usage: prog \nsecond line\n");
}

TEST(Usage, OnlyTheFirstLevelOfCommandsIsNamed) {
    Parser parser;
    parser.addCommand("remote", "").addCommand("add", "").setDescription("URL");
    parser.parseWords({"git", "remote", "add"});
    std::ostringstream usage, tryHelp;
    parser.printUsage(usage);
    parser.printTryHelp(tryHelp);
    EXPECT_EQ(usage.str(), "usage: git remote \n");
    EXPECT_EQ(tryHelp.str(), "Try 'git remote --help' for more information.\n");
}

}  // namespace
