#pragma once
// The run loop over the FILE arguments (or standard input).

#include <string>
#include <utility>

// Splits a Commodore disk selector ("prog.d64:$") off a FILE argument:
// returns (path, selector).
std::pair<std::string, std::string> splitSelector(const std::string& argument);

// Dumps every FILE argument (or standard input); returns the exit status.
int run();
