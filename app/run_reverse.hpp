#pragma once
// The run loop of -r: dumps read back from every FILE argument in turn, or
// from standard input, their bytes written to standard output.

#include <string>
#include <vector>

// Returns the exit status: 1 when standard output is a terminal (nothing is
// read then) or an input was no dump or could not be read.
int runReverse(const std::vector<std::string>& arguments);
