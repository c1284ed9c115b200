#include "app/command_line_checks.hpp"

#include "cli/value.hpp"

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

std::string commandLineErrors(const nuk::cli::Parser& parser, const nuk::cli::Option& width) {
    std::string errors = parser.errors();
    if (const auto widthProblem = widthError(width)) {
        if (!errors.empty()) errors += "\n";
        errors += *widthProblem;
    }
    return errors;
}

std::string reverseConflicts(const nuk::cli::Option& reverse, const std::vector<const nuk::cli::Option*>& shaping) {
    std::string errors;
    if (!reverse.given()) return errors;
    for (const nuk::cli::Option* option : shaping) {
        if (!option->given()) continue;
        if (!errors.empty()) errors += "\n";
        errors += option->givenAs() + " cannot be combined with " + reverse.givenAs();
    }
    return errors;
}
