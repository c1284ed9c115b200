// Walks the command line once, left to right, filling the registered options.
// Nothing here stops or prints: every problem becomes one more line of the
// error text of the parser that is current when it is found.

#include "cli/message.hpp"
#include "cli/parser.hpp"
#include "cli/value.hpp"

namespace nuk::cli {

namespace {

class CommandLineWalk {
public:
    explicit CommandLineWalk(Parser& parser) : current_(&parser) {}

    void run(const std::vector<std::string>& words) {
        std::size_t next = descendIntoCommands(words);
        for (; next < words.size(); ++next) examine(words[next]);
        if (pending_ && pending_->argRequired && pending_->values.empty()) {
            // The options are left as the command line had them: no defaults.
            report(pending_->givenAs() + " must be followed by an argument");
            return;
        }
        fillDefaults();
    }

private:
    Parser* current_;
    Option* pending_ = nullptr;   // may still take the next word as its value
    bool endOfOptions_ = false;

    // A second word naming a command hands the rest of the line to that
    // command's parser, and so on downwards. Returns the index of the first
    // word the current parser examines.
    std::size_t descendIntoCommands(const std::vector<std::string>& words) {
        std::size_t first = 0;
        startParsing(*current_, words.empty() ? std::string() : words[0]);
        while (first + 1 < words.size()) {
            Command* command = commandNamed(words[first + 1]);
            if (!command) break;
            current_->selectedCommand = command;
            current_ = command->parser.get();
            ++first;
            startParsing(*current_, words[first]);
        }
        return first + 1;
    }

    // Results describe the latest parse only, also when a parser is reused.
    static void startParsing(Parser& parser, const std::string& name) {
        parser.programName = name;
        parser.selectedCommand = nullptr;
        parser.positionals.clear();
        parser.errorText.reset();
    }

    Command* commandNamed(const std::string& word) const {
        for (Command& command : current_->commands) {
            if (command.parser && command.name == word) return &command;
        }
        return nullptr;
    }

    void examine(const std::string& word) {
        current_->currentWord = word;
        if (endOfOptions_) {
            current_->positionals.push_back(word);
        } else if (word == "-") {
            // Conventionally standard input: a FILE, never an option value.
            current_->positionals.push_back(word);
            pending_ = nullptr;
        } else if (word == "--") {
            endOfOptions_ = true;
        } else if (awaitsNegativeValue(word)) {
            applyValue(*pending_, word);
            pending_ = nullptr;
        } else if (word.compare(0, 2, "--") == 0) {
            takeLongOption(word);
        } else if (word.compare(0, 1, "-") == 0) {
            takeShortCluster(word);
        } else if (pending_ && pending_->argRequired) {
            applyValue(*pending_, word);
            pending_ = nullptr;
        } else {
            current_->positionals.push_back(word);
            pending_ = nullptr;
        }
    }

    // "-5" after an option that takes negative values is its value, not a
    // cluster of short options.
    bool awaitsNegativeValue(const std::string& word) const {
        return pending_ && pending_->argRequired && pending_->acceptsNegative() && isNegativeInteger(word);
    }

    void takeLongOption(const std::string& word) {
        const std::size_t equals = word.find('=', 2);
        const std::string name = word.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        Option* option = takeName(name);
        // A standalone option ignores an "=" and whatever follows it.
        if (!option || option->isStandalone()) {
            pending_ = nullptr;
            return;
        }
        if (equals == std::string::npos) return;
        const std::string value = word.substr(equals + 1);
        if (value.empty()) {
            report("argument assignment missing (found: '" + word + "')");
        } else if (option->kind == 0) {
            report(option->displayName() + " does not accept arguments (found explicit assignnment: '" + word + "')");
        } else {
            applyValue(*option, value);
        }
        pending_ = nullptr;
    }

    void takeShortCluster(const std::string& word) {
        for (std::size_t position = 1; position < word.size(); ++position) {
            Option* option = takeName(std::string(1, word[position]));
            // The rest of the cluster is neither taken nor reported.
            if (!option || option->isStandalone()) {
                pending_ = nullptr;
                return;
            }
            if (option->argRequired) {
                // "-w8" carries its value; a bare "-w" waits for the next word.
                if (position + 1 < word.size()) {
                    applyValue(*option, word.substr(position + 1));
                    pending_ = nullptr;
                }
                return;
            }
        }
    }

    // Marks the named option as met in the current word. Returns it, or
    // nullptr after reporting why it could not be taken.
    Option* takeName(const std::string& name) {
        const std::string& word = current_->currentWord;
        Option* option = current_->findOption(name);
        if (!option) {
            report(name + " is not a valid option (found in: '" + word + "')");
            return nullptr;
        }
        if (pending_ && pending_->argRequired) {
            report(pending_->givenAs() + " must be followed by an argument (found: '" + word + "' instead)");
            return nullptr;
        }
        if (option->given() && !option->isCounted() && !(option->kind & kindList)) {
            report(option->givenAs() + " can only be specified once (found earlier: '" + option->foundIn + "')");
            return nullptr;
        }
        if (option->isCounted()) ++option->count;
        option->nameAsGiven = name;
        option->foundIn = word;
        pending_ = option->isStandalone() || option->takesAttachedValueOnly() ? nullptr : option;
        return option;
    }

    // Checks and stores one value text; a list option's text holds several
    // values. Values accepted before a bad one stay stored.
    bool applyValue(Option& option, const std::string& valueText) {
        const std::vector<std::string> pieces = splitValue(option, valueText);
        for (const std::string& piece : pieces) {
            if (option.restricted && !isAmongChoices(option, piece)) {
                report("'" + piece + "' is not a valid choice for " + option.givenAs());
                return false;
            }
            if ((option.kind & kindInteger) && !isInteger(piece) &&
                !(option.acceptsNegative() && isNegativeInteger(piece))) {
                if ((option.kind & kindList) && pieces.size() > 1) {
                    report(option.givenAs() + " must be followed by one or more valid integers (found: '" + piece +
                           "' in '" + valueText + "')");
                } else {
                    report(option.givenAs() + " must be followed by a valid integer (found: '" + piece + "')");
                }
                return false;
            }
            option.values.push_back(piece);
        }
        return true;
    }

    // A list is cut at commas, keeping empty pieces; a comma in the first
    // position belongs to the first piece.
    static std::vector<std::string> splitValue(const Option& option, const std::string& valueText) {
        if (!(option.kind & kindList)) return {valueText};
        std::vector<std::string> pieces;
        std::size_t start = 0;
        std::size_t comma = valueText.find(',', 1);
        while (comma != std::string::npos) {
            pieces.push_back(valueText.substr(start, comma - start));
            start = comma + 1;
            comma = valueText.find(',', start);
        }
        pieces.push_back(valueText.substr(start));
        return pieces;
    }

    static bool isAmongChoices(const Option& option, const std::string& piece) {
        for (const std::string& choice : option.choices) {
            if (choice == piece) return true;
            if (!choice.empty() && choice.front() == '^' && choice.compare(1, std::string::npos, piece) == 0) {
                return true;
            }
        }
        return false;
    }

    // Runs even after diagnostics, so the program always finds a value where
    // a default was declared. given() stays false for such an option.
    void fillDefaults() {
        for (const OptionGroup& group : current_->groups) {
            for (Option* option : group.options) {
                if (option->values.empty() && !option->defaultValue.empty()) {
                    option->values.push_back(option->defaultValue);
                }
            }
        }
    }

    // The words quoted in a message are the user's: their control characters
    // are escaped so that every diagnostic stays one line.
    void report(const std::string& text) {
        const std::string message = oneLine(text);
        std::optional<std::string>& errorText = current_->errorText;
        if (errorText) {
            *errorText += "\n" + message;
        } else {
            errorText = message;
        }
    }
};

}  // namespace

void Parser::parseWords(const std::vector<std::string>& words) { CommandLineWalk(*this).run(words); }

}  // namespace nuk::cli
