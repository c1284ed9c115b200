// Random command lines against the program's own option table. The parser
// must never throw; its error text (with the program's width check joined
// on) must hold one diagnostic per line, each of a known shape and free of
// control characters; and defaults must land only where they belong.

#include <set>
#include <string>
#include <vector>

#include "app/command_line_checks.hpp"
#include "app/options.hpp"
#include "cli/value.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

std::vector<nuk::cli::Option*> allOptions() {
    std::vector<nuk::cli::Option*> options;
    for (const nuk::cli::OptionGroup& group : parser.groups) options.insert(options.end(), group.options.begin(), group.options.end());
    return options;
}

const std::vector<nuk::cli::Option*>& registeredOptions() {
    static const std::vector<nuk::cli::Option*> options = [] {
        initCommandLine();
        return allOptions();
    }();
    return options;
}

// Every way an option can be named in a diagnostic.
const std::set<std::string>& optionForms() {
    static const std::set<std::string> forms = [] {
        std::set<std::string> names;
        for (const nuk::cli::Option* option : registeredOptions()) {
            if (option->shortName != 0) names.insert(std::string("-") + option->shortName);
            if (!option->longName.empty()) {
                names.insert("--" + option->longName);
                // A one-letter long name is shown with one dash.
                if (option->longName.size() == 1) names.insert("-" + option->longName);
            }
            names.insert(option->displayName());
        }
        return names;
    }();
    return forms;
}

void resetOptions() {
    for (nuk::cli::Option* option : registeredOptions()) {
        option->reset();
        option->count = 0;
        option->foundIn.clear();
    }
}

bool startsWith(const std::string& text, const std::string& prefix) { return text.compare(0, prefix.size(), prefix) == 0; }
bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() && text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// The text before marker names a known option, and the line ends in suffix.
bool namesOption(const std::string& line, const std::string& marker, const std::string& suffix) {
    const auto at = line.find(marker);
    return at != std::string::npos && optionForms().count(line.substr(0, at)) && endsWith(line, suffix);
}

// "'VALUE' is not a valid choice for OPTION"; the value may hold quotes itself.
bool isRefusedChoice(const std::string& line) {
    const std::string marker = "' is not a valid choice for ";
    const auto at = line.rfind(marker);
    return startsWith(line, "'") && at != std::string::npos && at > 0 &&
           optionForms().count(line.substr(at + marker.size()));
}

bool isKnownDiagnostic(const std::string& line) {
    if (line.find(" is not a valid option (found in: '") != std::string::npos && endsWith(line, "')")) return true;
    if (namesOption(line, " must be followed by an argument (found: '", "' instead)")) return true;
    if (isRefusedChoice(line)) return true;
    if (namesOption(line, " can only be specified once (found earlier: '", "')")) return true;
    if (startsWith(line, "argument assignment missing (found: '") && endsWith(line, "')")) return true;
    if (namesOption(line, " does not accept arguments (found explicit assignnment: '", "')")) return true;
    if (namesOption(line, " must be followed by a valid integer (found: '", "')")) return true;
    if (namesOption(line, " must be followed by a value from 1 to 65536 (found: '", "')")) return true;
    if (namesOption(line, " must be followed by a value from 0 to 9223372036854775807 (found: '", "')")) return true;
    if (namesOption(line, " must be followed by a value from -9223372036854775807 to 9223372036854775807 (found: '",
                    "')"))
        return true;
    return optionForms().count(line.substr(0, line.find(' '))) && endsWith(line, " must be followed by an argument") &&
           line.find(' ') + 32 == line.size();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t end; (end = text.find('\n', begin)) != std::string::npos; begin = end + 1) {
        lines.push_back(text.substr(begin, end - begin));
    }
    lines.push_back(text.substr(begin));
    return lines;
}

// Words are separated by byte 0; the program name comes first.
std::vector<std::string> wordsOf(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> words{"hexloom"};
    std::string word;
    for (std::size_t i = 0; i < size && words.size() < 64; ++i) {
        if (data[i] == 0) {
            words.push_back(word);
            word.clear();
        } else {
            word += static_cast<char>(data[i]);
        }
    }
    if (words.size() < 64) words.push_back(word);
    return words;
}

void checkErrorText(const std::string& errors, const std::string& commandLine) {
    for (const std::string& line : linesOf(errors)) {
        const std::string where = commandLine + "\n  diagnostic: " + fuzz::shown(line);
        fuzz::check(!line.empty(), "no empty line in the error text", commandLine + "\n  errors: " + fuzz::shown(errors));
        for (unsigned char c : line) fuzz::check(c >= 0x20 && c != 0x7F, "no control characters in a diagnostic", where);
        fuzz::check(isKnownDiagnostic(line), "every line is a known diagnostic", where);
    }
}

void checkValues(const std::string& parserErrors, const std::string& errors, const std::string& commandLine) {
    // A required value missing at the very end leaves every option as typed.
    const bool missingAtEnd = !parserErrors.empty() && endsWith(parserErrors, " must be followed by an argument");
    for (const nuk::cli::Option* option : registeredOptions()) {
        const std::string where = commandLine + "\n  option " + option->displayName();
        if (option->kind == 0) fuzz::check(!option->hasValues(), "a flag never holds a value", where);
        if (option->given() || missingAtEnd) {
            if (!option->given()) fuzz::check(!option->hasValues(), "no defaults after a value missing at the end", where);
        } else if (option->defaultValue.empty()) {
            fuzz::check(!option->hasValues(), "an option not given and without default holds nothing", where);
        } else {
            fuzz::check(option->values == std::vector<std::string>{option->defaultValue},
                        "an option not given holds exactly its default", where);
        }
        if (option->kind & nuk::cli::kindInteger) {
            for (const std::string& value : option->values) {
                const bool negative = option->acceptsNegative() && nuk::cli::isNegativeInteger(value);
                fuzz::check(nuk::cli::isInteger(value) || negative, "integer options hold only integers", where);
            }
        }
    }
    if (errors.empty() && width.hasValues()) {
        const auto value = nuk::cli::toInteger(width.values.front());
        fuzz::check(value >= 1 && value <= maximumWidth, "a command line without errors has a usable width", commandLine);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    resetOptions();
    const std::vector<std::string> words = wordsOf(data, size);
    std::vector<const char*> argv;
    std::string commandLine = "command line:";
    for (const std::string& word : words) {
        argv.push_back(word.c_str());
        commandLine += " [" + fuzz::shown(word) + "]";
    }
    std::string parserErrors, errors;
    try {
        parser.parse(static_cast<int>(argv.size()), argv.data());
        parserErrors = parser.errors();
        errors = commandLineErrors(parser, width, {&len, &seek});
    } catch (...) {
        fuzz::fail("parsing never throws", commandLine);
    }
    if (!errors.empty()) checkErrorText(errors, commandLine);
    checkValues(parserErrors, errors, commandLine);
    return 0;
}
