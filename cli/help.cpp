// The usage line, the option and command listing, and the hint after an error.

#include "cli/parser.hpp"
#include "cli/program_name_output.hpp"

namespace nuk::cli {

namespace {

// Choice lists wrap before this column.
constexpr std::size_t choiceListRightEdge = 76;

std::string firstLineOf(const std::string& text) { return text.substr(0, text.find('\n')); }

void writeUsage(std::ostream& out, const Parser& parser, bool firstLineOnly) {
    out << "usage: ";
    writeProgramName(out, parser.programName);
    out << ' ';
    const Command* command = parser.selectedCommand;
    std::string description = parser.description;
    if (command && command->parser) {
        out << command->name << ' ';
        description = command->parser->description;
    }
    out << (firstLineOnly ? firstLineOf(description) : description) << '\n';
}

// " -w/--width <W>" (or "    --pixels[=M]"), filled with blanks up to the help column.
std::string optionColumn(const Option& option, std::size_t helpWidth) {
    std::string column = " ";
    if (option.shortName == 0) column += "   ";
    column += option.displayName();
    if (option.takesAttachedValueOnly()) {
        column += "[=" + option.argName + "]";
    } else if (!option.argName.empty()) {
        column += option.argRequired ? " <" + option.argName + ">" : " [" + option.argName + "]";
    }
    if (column.size() < helpWidth) column.append(helpWidth - column.size(), ' ');
    return column;
}

// "W: a,b,c" under the help text; continuation lines start under the first
// entry. Entries written with "^" are accepted but kept out of the list.
void writeChoices(std::ostream& out, const Option& option, std::size_t columnWidth) {
    out << std::string(columnWidth, ' ') << "  " << option.argName << ": ";
    const std::size_t startColumn = columnWidth + option.argName.size() + 4;
    std::size_t column = startColumn;
    const char* separator = "";
    for (const std::string& choice : option.choices) {
        if (!choice.empty() && choice.front() == '^') continue;
        if (column + choice.size() > choiceListRightEdge) {
            out << separator << '\n' << std::string(startColumn, ' ') << choice;
            column = startColumn + choice.size();
        } else {
            out << separator << choice;
            column += choice.size() + 1;
        }
        separator = ",";
    }
    out << '\n';
}

void writeGroup(std::ostream& out, const OptionGroup& group, std::size_t helpWidth) {
    if (!group.title.empty()) out << '\n' << group.title << ":\n";
    for (const Option* option : group.options) {
        if (option->isHidden()) continue;
        const std::string column = optionColumn(*option, helpWidth);
        out << column << option->help << '\n';
        if (option->restricted) writeChoices(out, *option, column.size());
    }
}

void writeCommands(std::ostream& out, const Parser& parser) {
    out << "\nAvailable commands: ('" << parser.programName << " [command] --help')\n";
    for (const Command& command : parser.commands) {
        if (command.hidden) continue;
        std::string name = command.name;
        if (name.size() < parser.commandWidth) name.insert(0, parser.commandWidth - name.size(), ' ');
        out << "  " << name << ": " << command.description << '\n';
    }
}

}  // namespace

void Parser::printUsage(std::ostream& out) const { writeUsage(out, *this, false); }

void Parser::printUsageLine(std::ostream& out) const { writeUsage(out, *this, true); }

void Parser::printTryHelp(std::ostream& out) const {
    out << "Try '";
    writeProgramName(out, programName);
    if (selectedCommand) out << ' ' << selectedCommand->name;
    out << " --help' for more information.\n";
}

void Parser::printHelp(std::ostream& out) const {
    const Parser& parser = deepestSelected();
    const bool hasCommands = !parser.commands.empty();
    if (hasCommands) out << "Available options when no command is given:\n";
    for (const OptionGroup& group : parser.groups) {
        if (group.name == defaultGroupName) writeGroup(out, group, parser.helpWidth);
    }
    // With commands, the titled groups belong to the commands, not to the
    // bare program, and the command listing takes their place.
    if (hasCommands) {
        writeCommands(out, parser);
        return;
    }
    for (const OptionGroup& group : parser.groups) {
        if (group.name != defaultGroupName) writeGroup(out, group, parser.helpWidth);
    }
}

}  // namespace nuk::cli
