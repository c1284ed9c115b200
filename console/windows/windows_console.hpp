#pragma once
// The Windows console layer's own operations. Console calls fail with
// ERROR_INVALID_HANDLE when standard output is not a console; that code is
// the one left unreported almost everywhere.

#include "console/console.hpp"
#include "console/windows/console_system.hpp"

namespace nuk::con {

// Writes "Fatal: in <function>: \"<system text>\" (<code>)" to standard error
// for the last system error, unless it is ignoredCode. The program goes on.
// Throws std::runtime_error when the system has no text for the code.
void printLastError(const char* function, DWORD ignoredCode);

// Looks GetCurrentConsoleFontEx up by name (it is missing on old systems)
// and keeps it for the font queries below.
void findConsoleFontQuery();
// Gives back the library reference taken by findConsoleFontQuery; the entry
// point stays usable, as KERNEL32 stays loaded in every process.
void releaseConsoleFontLibrary();
bool isConsoleFontTrueType();
// The face name of the console font; empty when it cannot be read.
std::wstring getConsoleFontName();

// The colours of standard output at start into the console's defaults;
// they stay 0xFFFF when they cannot be read.
void getColors(Console& console);

// Switches on escape-sequence processing for standard output; false where
// the console refuses it, so colour goes through text attributes instead.
bool setVTProcessing();

}  // namespace nuk::con
