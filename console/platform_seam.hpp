#pragma once
// The seam between the shared console code and each platform.
//
// Every platform supplies (Linux in *_posix.cpp, Windows in windows/*.cpp):
//   - isTerminalFile                      (the start-up probe of a standard stream)
//   - applyForegroundWithoutAnsi,
//     applyBackgroundWithoutAnsi          (colour for a console that ignores escapes)
//   - Console::attach, preserve, restore, reverse, resetColors
//   - terminalKind                      (the status report's name for the terminal)
//   - restoreColorsOnInterrupt            (signals; console control events)
//   - operator<< for ConsoleString
//
// The shared code supplies the stream table with its console registry,
// the colour gate, the escape sequences, the effect dispatch and the status
// report.

#include <cstdio>
#include <ios>
#include <string>

#include "console/console.hpp"

namespace nuk::con {

// True when the standard I/O stream is connected to a terminal.
bool isTerminalFile(std::FILE* file);

// Puts this console in every registry slot whose start-up buffer is the
// stream's current buffer (for std::cout: the standard output slot).
void registerConsole(Console& console, const std::ios& stream);

// The console registered for the stream when it is switched to colour;
// nullptr otherwise. Every colour operation starts here.
Console* colouringConsoleFor(const std::ios& stream);

// Colour through the console's own text attributes, for a console that does
// not process escape sequences. True when the colour was applied.
bool applyForegroundWithoutAnsi(int colour);
bool applyBackgroundWithoutAnsi(int colour);

// What standard output is when it is a terminal, as the status report names
// it: "terminal" on Linux; on Windows the console with its code page and
// whether its font is TrueType.
std::string terminalKind();

}  // namespace nuk::con
