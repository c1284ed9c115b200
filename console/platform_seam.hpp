#pragma once
// The seam between the shared console code and each platform.
//
// Every platform supplies (Linux in *_posix.cpp, Windows in windows/*.cpp):
//   - isTerminalFile                      (the start-up probe of a standard stream)
//   - applyForegroundWithoutAnsi,
//     applyBackgroundWithoutAnsi          (colour for a console that ignores escapes)
//   - Console::attach, preserve, restore, reverse, resetColors
//   - writeStatus
//   - restoreColorsOnInterrupt            (signals; console control events)
//   - operator<< for ConsoleString
//
// The shared code supplies the stream table with its console registry,
// the colour gate, the escape sequences and the effect dispatch.

#include <cstdio>
#include <ios>

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

}  // namespace nuk::con
