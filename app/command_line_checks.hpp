#pragma once
// Checks of option values that the parser's integer test cannot make.

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "cli/option.hpp"
#include "cli/parser.hpp"

// Bytes per line: a line must hold at least one byte, and wider lines than
// this are no longer a dump anyone can read.
constexpr long long maximumWidth = 65536;

// The diagnostic for a width outside 1..maximumWidth, or nothing.
std::optional<std::string> widthError(const nuk::cli::Option& width);

// The diagnostic for an offset or length past what a file offset holds
// (2^63-1, either sign where the option takes a negative value), or nothing.
std::optional<std::string> byteCountError(const nuk::cli::Option& byteCount);

// The parser's diagnostics followed by the program's own, joined by "\n";
// empty when the command line is fine. byteCounts: the options holding
// offsets and lengths.
std::string commandLineErrors(const nuk::cli::Parser& parser, const nuk::cli::Option& width,
                              std::initializer_list<const nuk::cli::Option*> byteCounts = {});

// Each option of `others` that is given is an error beside `chosen`, when
// that is given: one line for each. Reading dumps back (-r) takes the shape
// of their lines from the lines themselves, so every option that shapes a
// dump is such an error beside it.
std::string conflicts(const nuk::cli::Option& chosen, const std::vector<const nuk::cli::Option*>& others);

// The first option of `options` that is given, or nullptr.
const nuk::cli::Option* firstGiven(const std::vector<const nuk::cli::Option*>& options);

// Of options that exclude each other, every one given after the first one
// given (in the order of `exclusive`) is an error beside that one.
std::string exclusionConflicts(const std::vector<const nuk::cli::Option*>& exclusive);

// The diagnostic for --pixels with a value other than "mc", or nothing.
std::optional<std::string> pixelsError(const nuk::cli::Option& pixels);

// The diagnostic for a --source value that names no format, listing the
// formats, or nothing.
std::optional<std::string> sourceFormatError(const nuk::cli::Option& source);

// BASIC's DATA lines hold widestBasicData bytes at most: the diagnostic for
// a wider width with --source=basic, or nothing.
std::optional<std::string> basicWidthError(const nuk::cli::Option& source, const nuk::cli::Option& width);
