// Option names and builders, and the registry: groups, help column, lookup.

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
using nuk::cli::ValueKind;

TEST(OptionNames, DisplayShortAndLongForms) {
    struct Case {
        Option option;
        std::string display, shortForm, longForm;
    };
    const Case cases[] = {
        {Option('w', "width", ""), "-w/--width", "-w", "--width"},
        {Option('w', "", ""), "-w", "-w", ""},
        {Option(0, "0x", ""), "--0x", "", "--0x"},
        {Option(0, "", ""), "", "", ""},
        {Option(0, nullptr, nullptr), "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        EXPECT_EQ(c.option.displayName(), c.display);
        EXPECT_EQ(c.option.shortForm(), c.shortForm);
        EXPECT_EQ(c.option.longForm(), c.longForm);
    }
}

TEST(OptionNames, GivenAsFollowsTheNameTheUserWrote) {
    Option verbose('v', "verbose", "");
    EXPECT_EQ(verbose.givenAs(), "-");
    verbose.nameAsGiven = "v";
    EXPECT_EQ(verbose.givenAs(), "-v");
    verbose.nameAsGiven = "verbose";
    EXPECT_EQ(verbose.givenAs(), "--verbose");
}

TEST(OptionBuilders, ArgumentKindsAndFlags) {
    Option option = Option('n', "numbers", "help").argument("N", Integer).defaultsTo("1").defaultsTo("2");
    EXPECT_EQ(option.argName, "N");
    EXPECT_EQ(option.kind, 1u);
    EXPECT_TRUE(option.argRequired);
    EXPECT_EQ(option.defaultValue, "2");
    // A later argument() replaces the kind; alsoAccepts adds to it.
    option.argument("T", Text);
    EXPECT_EQ(option.kind, 2u);
    option.argument("L", List);
    EXPECT_EQ(option.kind, 4u);
    option.argument("N", Integer).alsoAccepts(List);
    EXPECT_EQ(option.kind, 5u);
    option.argument("X", static_cast<ValueKind>(7));
    EXPECT_EQ(option.kind, 0u);

    Option flag = Option('v', "verbose", "").counted().standalone().hidden();
    EXPECT_TRUE(flag.isCounted());
    EXPECT_TRUE(flag.isStandalone());
    EXPECT_TRUE(flag.isHidden());
    EXPECT_FALSE(flag.argRequired);
    EXPECT_TRUE(Option('x', "", "").requiresArgument().argRequired);

    Option choice = Option('m', "mode", "").choicesOf({"a"}).choicesOf({"b", "^c"});
    EXPECT_TRUE(choice.restricted);
    EXPECT_EQ(choice.choices, (std::vector<std::string>{"b", "^c"}));
}

TEST(OptionState, ResetKeepsCountAndWord) {
    Option verbose = Option('v', "verbose", "").counted();
    Parser parser;
    parser.addOption(verbose);
    parser.parseWords({"prog", "-vv"});
    ASSERT_TRUE(verbose.given());
    verbose.values = {"x"};
    verbose.reset();
    EXPECT_FALSE(verbose.given());
    EXPECT_FALSE(verbose.hasValues());
    EXPECT_EQ(verbose.count, 2);
    EXPECT_EQ(verbose.foundIn, "-vv");
}

TEST(Registry, HelpWidthGrowsWithTheWidestVisibleOption) {
    struct Case {
        Option option;
        unsigned width;
    };
    const Case cases[] = {
        {Option(0, "0x", ""), 10},
        {Option('w', "width", "").argument("W", Integer), 17},
        {Option('w', "", "").argument("WIDTH", Integer), 14},
        {Option('v', "", ""), 6},
        {Option('v', "verbose", ""), 15},
        {Option(0, "a-very-long-option-name", "").hidden(), 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.option.displayName());
        Option option = c.option;
        Parser parser;
        parser.addOption(option);
        EXPECT_EQ(parser.helpWidth, c.width);
    }
    Option narrow(0, "0x", "");
    Option wide = Option('w', "width", "").argument("W", Integer);
    Option hidden = Option(0, "a-very-long-option-name", "").hidden();
    Parser parser;
    parser.addOption(wide);
    parser.addOption(narrow);
    parser.addOption(hidden);
    EXPECT_EQ(parser.helpWidth, 17u);
}

TEST(Registry, GroupsAreCreatedOnFirstUseAndKeepOrder) {
    Option a('a', "", ""), b('b', "", ""), c('c', "", "");
    Parser parser;
    parser.setGroupTitle("extra", "Extra options");
    parser.addOption(a);
    parser.addOption("extra", b);
    parser.addOption(c);
    parser.addOption(c);
    ASSERT_EQ(parser.groups.size(), 2u);
    EXPECT_EQ(parser.groups[0].name, "extra");
    EXPECT_EQ(parser.groups[0].title, "Extra options");
    EXPECT_EQ(parser.groups[0].options, std::vector<Option*>{&b});
    EXPECT_EQ(parser.groups[1].name, nuk::cli::defaultGroupName);
    EXPECT_EQ(parser.groups[1].title, "");
    EXPECT_EQ(parser.groups[1].options, (std::vector<Option*>{&a, &c, &c}));
}

TEST(Registry, LookupTakesTheFirstMatchInGroupOrder) {
    Option first(0, "v", "");      // a one-letter long name
    Option verbose('v', "verbose", "");
    Option nameless(0, "", "");
    Option x(0, "x", "");
    Parser parser;
    parser.addOption("early", first);
    parser.addOption("late", verbose);
    parser.addOption("late", nameless);
    parser.addOption("late", x);
    EXPECT_EQ(parser.findOption("v"), &first);
    EXPECT_EQ(parser.findOption("verbose"), &verbose);
    EXPECT_EQ(parser.findOption("x"), &x);
    EXPECT_EQ(parser.findOption(""), nullptr);
    EXPECT_EQ(parser.findOption("verb"), nullptr);
    EXPECT_EQ(parser.findOption("V"), nullptr);
    // An option without a short name does not answer to a NUL character.
    EXPECT_EQ(parser.findOption(std::string(1, '\0')), nullptr);
}

TEST(Registry, DescriptionDropsOneLeadingLineBreak) {
    Parser parser;
    parser.setDescription("\n\n[options...] FILE\nmore");
    EXPECT_EQ(parser.description, "\n[options...] FILE\nmore");
    parser.setDescription("");
    EXPECT_EQ(parser.description, "\n[options...] FILE\nmore");
    parser.setDescription("plain");
    EXPECT_EQ(parser.description, "plain");
    parser.setDescription("\n");
    EXPECT_EQ(parser.description, "");
}

TEST(Registry, CommandWidthIsTheLongestVisibleCommandName) {
    Parser parser;
    Parser& add = parser.addCommand("add", "add things");
    parser.addCommand("a-secret-command", "", true);
    parser.addCommand("remove", "remove things");
    EXPECT_EQ(parser.commandWidth, 6u);
    ASSERT_EQ(parser.commands.size(), 3u);
    EXPECT_EQ(parser.commands[0].parser.get(), &add);
    EXPECT_TRUE(parser.commands[1].hidden);
}

}  // namespace
