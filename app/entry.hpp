#pragma once
// The entry steps both builds share. Each platform's main sets the locale
// and supplies how its command line is parsed (bytes on Linux, UTF-16 words
// on Windows); everything after that is the same program.

#include <functional>

#include "cli/parser.hpp"

using ParseCommandLine = std::function<void(nuk::cli::Parser&)>;

// Attaches the console, registers the options, parses, then shows a screen
// or runs; returns the process exit code.
int enterProgram(const ParseCommandLine& parseCommandLine);
