#pragma once
// Checks of option values that the parser's integer test cannot make.

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

// The parser's diagnostics followed by the program's own, joined by "\n";
// empty when the command line is fine.
std::string commandLineErrors(const nuk::cli::Parser& parser, const nuk::cli::Option& width);

// Reading dumps back takes the shape of their lines from the lines
// themselves, and writes all their bytes: an option that shapes a dump or
// picks its bytes is an error beside -r, one line for each given.
std::string reverseConflicts(const nuk::cli::Option& reverse, const std::vector<const nuk::cli::Option*>& shaping);
