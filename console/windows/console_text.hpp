#pragma once
// The UTF-16 form in which a ConsoleString reaches a Windows console.

#include <cstddef>
#include <ostream>
#include <string>

#include "console/console_string.hpp"

namespace nuk::con {

// The text as the console is to show it: UTF-16 (text that is not valid
// UTF-8 shows U+FFFD), padded to the stream's field width plus the text's
// width correction as the stream's flags say, every "\n" written as CR LF as
// in the runtime's text mode (the console's automatic carriage return is off).
std::wstring consoleText(const std::ostream& out, const ConsoleString& text);

// The length of the next piece of text, from `done` on, to hand the console
// in one write: older consoles refuse a single write much larger than 8192
// UTF-16 units. A piece never ends between the two halves of a surrogate
// pair, which would show as two broken characters.
std::size_t consoleChunkLength(const std::wstring& text, std::size_t done);

}  // namespace nuk::con
