#pragma once
// One command-line option: its definition (built with chained builders) and
// what the parser found for it. The option objects are the program's settings.

#include <cstdint>
#include <string>
#include <vector>

namespace nuk::cli {

enum ValueKind { Integer = 0, Text = 1, List = 2 };

// Bits of Option::kind.
constexpr unsigned kindInteger = 1u << Integer;
constexpr unsigned kindText = 1u << Text;
constexpr unsigned kindList = 1u << List;

class Option {
public:
    // Filled by the parser.
    std::string nameAsGiven;        // name as last met, without dashes; empty = not given
    std::string foundIn;            // whole word of the last occurrence
    std::vector<std::string> values;
    std::int32_t count = 0;

    // Definition.
    char shortName = 0;
    std::string longName;
    std::string help;
    std::string argName;
    unsigned kind = 0;              // 0 = flag; otherwise kindInteger/kindText/kindList bits
    std::string defaultValue;
    bool argRequired = false;
    bool counted_ = false;
    bool standalone_ = false;
    bool hidden_ = false;
    bool negativeAllowed_ = false;
    bool restricted = false;
    std::vector<std::string> choices;  // "^entry" is accepted but not listed in help

    Option(char shortName, const char* longName, const char* help);

    // Builders; each returns the option itself so calls chain.
    Option& argument(const char* name, ValueKind valueKind);
    Option& requiresArgument();
    // The value is optional and then only taken from the option's own word
    // ("--list=7"), so that the next word stays an argument of its own.
    Option& optionalArgument();
    Option& defaultsTo(const char* value);
    Option& counted();
    Option& standalone();
    Option& hidden();
    // Restricts every value to one of the given entries, replacing earlier
    // ones: .choicesOf({"fast", "slow", "^legacy"}). An entry written with a
    // leading "^" is accepted without its "^" but never listed in help.
    Option& choicesOf(std::vector<std::string> allowed);
    // Adds the bit of a further value kind to the one argument() set, e.g.
    // .argument("N", Integer).alsoAccepts(List) for a list of integers.
    Option& alsoAccepts(ValueKind valueKind);
    // An integer option that also takes a value with a leading "-", in the
    // same word ("-s-5", "--seek=-5") or as the next one ("-s -5").
    Option& allowsNegative();

    // Queries.
    bool given() const { return !nameAsGiven.empty(); }
    bool hasValues() const { return !values.empty(); }
    bool isCounted() const { return counted_; }
    bool isStandalone() const { return standalone_; }
    bool isHidden() const { return hidden_; }
    bool acceptsNegative() const { return negativeAllowed_; }
    // An optional value comes only in the option's own word.
    bool takesAttachedValueOnly() const { return !argName.empty() && !argRequired; }
    void reset();
    std::string givenAs() const;
    std::string displayName() const;
    std::string shortForm() const;
    std::string longForm() const;
};

}  // namespace nuk::cli
