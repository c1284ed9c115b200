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

// Reading dumps back takes the shape of their lines from the lines
// themselves, and writes all their bytes: an option that shapes a dump or
// picks its bytes is an error beside -r, one line for each given.
std::string reverseConflicts(const nuk::cli::Option& reverse, const std::vector<const nuk::cli::Option*>& shaping);
