#pragma once
// The registry of options (in named groups) and sub-commands, and the parser
// that fills the options from a command line. The parser never prints and
// never stops: every problem is collected into one error text.

#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "cli/option.hpp"

namespace nuk::cli {

inline const char* const defaultGroupName = "-!def!-";

struct OptionGroup {
    std::string name;
    std::string title;               // empty: no heading in help
    std::vector<Option*> options;    // registration order, not owned
};

class Parser;

struct Command {
    std::string name;
    std::string description;
    std::unique_ptr<Parser> parser;  // owned; destroyed with the parent parser
    bool hidden = false;
};

class Parser {
public:
    std::vector<Command> commands;
    std::vector<OptionGroup> groups;
    std::string description;
    std::string programName;
    unsigned helpWidth = 0;
    unsigned commandWidth = 0;
    std::string currentWord;
    Command* selectedCommand = nullptr;
    std::vector<std::string> positionals;
    std::optional<std::string> errorText;

    Parser();
    ~Parser();
    Parser(const Parser&) = delete;
    Parser& operator=(const Parser&) = delete;

    void addOption(Option& option);
    void addOption(const std::string& groupName, Option& option);
    // Gives a group a heading in help (creating the group if needed).
    void setGroupTitle(const std::string& groupName, const std::string& title);
    // Registers a sub-command and returns its own parser.
    Parser& addCommand(const std::string& name, const std::string& description, bool hidden = false);
    void setDescription(const std::string& text);

    // A null argv, a null entry or a negative argc never crashes: a null
    // argv[0] reads as an empty program name, later null entries are skipped.
    void parse(int argc, const char* const* argv);
#ifdef _WIN32
    // Windows receives its words as UTF-16; each is converted to UTF-8 when taken up.
    void parse(int argc, const wchar_t* const* argv);
#endif
    // The parse itself, on words already in UTF-8; words[0] is the program
    // name. Both parse overloads end here.
    void parseWords(const std::vector<std::string>& words);

    // The parser of the deepest selected command (this one when none is).
    const Parser& deepestSelected() const;
    // Read the deepest selected parser.
    std::string errors() const;
    const std::vector<std::string>& arguments() const;

    // Finds a registered option by its name without dashes; nullptr when none.
    Option* findOption(const std::string& name) const;

    void printUsage(std::ostream& out) const;
    void printUsageLine(std::ostream& out) const;
    void printHelp(std::ostream& out) const;
    void printTryHelp(std::ostream& out) const;
};

}  // namespace nuk::cli
