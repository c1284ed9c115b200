#pragma once
// The run loop of -r: dumps read back from every FILE argument in turn, or
// from standard input, their bytes written to standard output.

#include <string>
#include <vector>

// Returns the exit status: 1 when an input was no dump or could not be read.
// Standard output is no terminal: the run refused that before.
int runReverse(const std::vector<std::string>& arguments);
