#include "cli/parser.hpp"

#include <algorithm>

namespace nuk::cli {

Parser::Parser() = default;
Parser::~Parser() = default;

namespace {

OptionGroup& groupNamed(std::vector<OptionGroup>& groups, const std::string& name) {
    for (OptionGroup& group : groups) {
        if (group.name == name) return group;
    }
    groups.push_back(OptionGroup{name, "", {}});
    return groups.back();
}

// The widest option column plus two blanks: " -w/--width <W>" is 1 + 3 + L
// + 3 + length of the argument name characters wide.
unsigned helpColumnFor(const Option& option) {
    const unsigned longLength = static_cast<unsigned>(option.longForm().size());
    if (option.argName.empty()) return longLength + 6;
    return longLength + static_cast<unsigned>(option.argName.size()) + 9;
}

}  // namespace

void Parser::addOption(Option& option) { addOption(defaultGroupName, option); }

void Parser::addOption(const std::string& groupName, Option& option) {
    OptionGroup& group = groupNamed(groups, groupName);
    if (!option.isHidden()) helpWidth = std::max(helpWidth, helpColumnFor(option));
    group.options.push_back(&option);
}

void Parser::setGroupTitle(const std::string& groupName, const std::string& title) {
    groupNamed(groups, groupName).title = title;
}

Parser& Parser::addCommand(const std::string& name, const std::string& description, bool hidden) {
    commands.push_back(Command{name, description, std::make_unique<Parser>(), hidden});
    if (!hidden) commandWidth = std::max(commandWidth, static_cast<unsigned>(name.size()));
    return *commands.back().parser;
}

void Parser::setDescription(const std::string& text) {
    if (text.empty()) return;
    // The usage text is written with a leading line break in the source;
    // only that one is dropped.
    description = text.front() == '\n' ? text.substr(1) : text;
}

void Parser::parse(int argc, const char* const* argv) {
    std::vector<std::string> words;
    if (argv != nullptr && argc > 0) {
        words.emplace_back(argv[0] ? argv[0] : "");
        for (int index = 1; index < argc; ++index) {
            if (argv[index]) words.emplace_back(argv[index]);
        }
    }
    parseWords(words);
}

const Parser& Parser::deepestSelected() const {
    const Parser* current = this;
    while (current->selectedCommand && current->selectedCommand->parser) {
        current = current->selectedCommand->parser.get();
    }
    return *current;
}

std::string Parser::errors() const { return deepestSelected().errorText.value_or(std::string()); }

const std::vector<std::string>& Parser::arguments() const { return deepestSelected().positionals; }

Option* Parser::findOption(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (const OptionGroup& group : groups) {
        for (Option* option : group.options) {
            // An option without a short name must not answer to a NUL character.
            if (name.size() == 1 && option->shortName != 0 && name[0] == option->shortName) return option;
            if (!option->longName.empty() && option->longName == name) return option;
        }
    }
    return nullptr;
}

}  // namespace nuk::cli
