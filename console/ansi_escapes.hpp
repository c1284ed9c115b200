#pragma once
// The escape sequences of colour output.

#include <string>

namespace nuk::con {

inline constexpr const char* resetEscape = "\x1b[0;22m";
inline constexpr const char* reverseEscape = "\x1b[0;7m";

// True for the sixteen console colours 0..15.
bool isColourNumber(int colour);

// "\e[22;<30..37>m", with ";1" before the "m" for the bright colours 8..15.
std::string foregroundEscape(int colour);
// "\e[22;<40..47>m", or "\e[22;<100..107>m" for the bright colours 8..15.
std::string backgroundEscape(int colour);

}  // namespace nuk::con
