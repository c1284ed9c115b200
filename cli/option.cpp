#include "cli/option.hpp"

#include <utility>

namespace nuk::cli {

namespace {

// A null pointer where a name or text is expected reads as empty text, so a
// careless declaration cannot crash the program during static initialisation.
std::string textOrEmpty(const char* text) { return text ? std::string(text) : std::string(); }

// Only the three known kinds have a bit; anything else would be a flag.
unsigned bitOf(ValueKind valueKind) {
    switch (valueKind) {
    case Integer: return kindInteger;
    case Text: return kindText;
    case List: return kindList;
    }
    return 0;
}

}  // namespace

Option::Option(char shortName, const char* longName, const char* help)
    : shortName(shortName), longName(textOrEmpty(longName)), help(textOrEmpty(help)) {}

Option& Option::argument(const char* name, ValueKind valueKind) {
    argName = textOrEmpty(name);
    kind = bitOf(valueKind);
    argRequired = true;
    return *this;
}

Option& Option::requiresArgument() {
    argRequired = true;
    return *this;
}

Option& Option::optionalArgument() {
    argRequired = false;
    return *this;
}

Option& Option::defaultsTo(const char* value) {
    defaultValue = textOrEmpty(value);
    return *this;
}

Option& Option::counted() {
    counted_ = true;
    return *this;
}

Option& Option::standalone() {
    standalone_ = true;
    return *this;
}

Option& Option::hidden() {
    hidden_ = true;
    return *this;
}

Option& Option::choicesOf(std::vector<std::string> allowed) {
    restricted = true;
    choices = std::move(allowed);
    return *this;
}

Option& Option::alsoAccepts(ValueKind valueKind) {
    kind |= bitOf(valueKind);
    return *this;
}

Option& Option::allowsNegative() {
    negativeAllowed_ = true;
    return *this;
}

void Option::reset() {
    // count and foundIn stay: they describe what the command line held.
    nameAsGiven.clear();
    values.clear();
}

std::string Option::givenAs() const {
    // A one-letter name was typed (or is shown) with a single dash, even when
    // the user reached a one-letter long name with two.
    return (nameAsGiven.size() < 2 ? "-" : "--") + nameAsGiven;
}

std::string Option::displayName() const {
    if (shortName == 0) return longForm();
    if (longName.empty()) return shortForm();
    return shortForm() + "/" + longForm();
}

std::string Option::shortForm() const {
    return shortName == 0 ? std::string() : std::string("-") + shortName;
}

std::string Option::longForm() const {
    return longName.empty() ? std::string() : "--" + longName;
}

}  // namespace nuk::cli
