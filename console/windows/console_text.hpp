#pragma once
// The UTF-16 form in which a ConsoleString reaches a Windows console.

#include <ostream>
#include <string>

#include "console/console_string.hpp"

namespace nuk::con {

// The text as the console is to show it: UTF-16 (text that is not valid
// UTF-8 shows U+FFFD), padded to the stream's field width plus the text's
// width correction as the stream's flags say, every "\n" written as CR LF as
// in the runtime's text mode (the console's automatic carriage return is off).
std::wstring consoleText(const std::ostream& out, const ConsoleString& text);

}  // namespace nuk::con
