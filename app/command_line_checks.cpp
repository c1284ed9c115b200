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
