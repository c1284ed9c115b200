#include "app/command_line_checks.hpp"

#include "dump/dump_2_source.hpp"
#include "cli/value.hpp"

namespace {

std::string foundText(const std::string& typed) { return " (found: '" + typed + "')"; }

void appendLine(std::string& errors, const std::string& line) {
    if (line.empty()) return;
    if (!errors.empty()) errors += "\n";
    errors += line;
}

}  // namespace

std::optional<std::string> widthError(const nuk::cli::Option& width) {
    // Without a value the parser has already reported the missing argument.
    if (!width.hasValues()) return std::nullopt;
    const std::string& typed = width.values.front();
    const auto value = nuk::cli::toInteger(typed);
    // A value that is no integer at all has been reported by the parser.
    if (value < 0) return std::nullopt;
    if (value >= 1 && value <= maximumWidth) return std::nullopt;
    return width.givenAs() + " must be followed by a value from 1 to " + std::to_string(maximumWidth) +
           " (found: '" + typed + "')";
}

std::optional<std::string> byteCountError(const nuk::cli::Option& byteCount) {
    if (!byteCount.hasValues()) return std::nullopt;
    const std::string& typed = byteCount.values.front();
    // A value that is no integer at all has been reported by the parser.
    const bool integer = nuk::cli::isInteger(typed) || (byteCount.acceptsNegative() && nuk::cli::isNegativeInteger(typed));
    if (!integer || nuk::cli::toSignedInteger(typed)) return std::nullopt;
    const std::string largest = std::to_string(nuk::cli::largestMagnitude);
    const std::string smallest = byteCount.acceptsNegative() ? "-" + largest : "0";
    return byteCount.givenAs() + " must be followed by a value from " + smallest + " to " + largest + " (found: '" +
           typed + "')";
}

std::string commandLineErrors(const nuk::cli::Parser& parser, const nuk::cli::Option& width,
                              std::initializer_list<const nuk::cli::Option*> byteCounts) {
    std::string errors = parser.errors();
    const auto append = [&errors](const std::optional<std::string>& problem) {
        if (!problem) return;
        if (!errors.empty()) errors += "\n";
        errors += *problem;
    };
    for (const nuk::cli::Option* byteCount : byteCounts) append(byteCountError(*byteCount));
    append(widthError(width));
    return errors;
}

std::string conflicts(const nuk::cli::Option& chosen, const std::vector<const nuk::cli::Option*>& others) {
    std::string errors;
    if (!chosen.given()) return errors;
    for (const nuk::cli::Option* option : others) {
        if (option->given() && option != &chosen) {
            appendLine(errors, option->givenAs() + " cannot be combined with " + chosen.givenAs());
        }
    }
    return errors;
}

const nuk::cli::Option* firstGiven(const std::vector<const nuk::cli::Option*>& options) {
    for (const nuk::cli::Option* option : options) {
        if (option->given()) return option;
    }
    return nullptr;
}

std::string exclusionConflicts(const std::vector<const nuk::cli::Option*>& exclusive) {
    const nuk::cli::Option* chosen = firstGiven(exclusive);
    return chosen ? conflicts(*chosen, exclusive) : std::string();
}

std::optional<std::string> pixelsError(const nuk::cli::Option& pixels) {
    if (!pixels.hasValues() || pixels.values.front() == "mc") return std::nullopt;
    return pixels.givenAs() + " takes no value or mc" + foundText(pixels.values.front());
}

std::optional<std::string> sourceFormatError(const nuk::cli::Option& source) {
    if (!source.hasValues() || sourceFormatNamed(source.values.front())) return std::nullopt;
    std::string names;
    for (const SourceFormatName& entry : sourceFormatNames) names += std::string(names.empty() ? "" : ", ") + entry.name;
    return source.givenAs() + " must be followed by one of " + names + foundText(source.values.front());
}

std::optional<std::string> basicWidthError(const nuk::cli::Option& source, const nuk::cli::Option& width) {
    if (!source.hasValues() || sourceFormatNamed(source.values.front()) != SourceFormat::basic) return std::nullopt;
    if (!width.given() || !width.hasValues()) return std::nullopt;
    // A value that is no integer (below 0 here) or no width at all has been
    // refused already.
    const auto value = nuk::cli::toInteger(width.values.front());
    if (value <= static_cast<std::int64_t>(widestBasicData) || value > maximumWidth) return std::nullopt;
    return width.givenAs() + " must be followed by a value from 1 to " + std::to_string(widestBasicData) + " with " +
           source.givenAs() + "=basic" + foundText(width.values.front());
}
