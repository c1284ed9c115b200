#pragma once
// The terminal layer: which standard streams are terminals (probed once at
// start-up), the one console object bound to standard output with its text
// mode and colour switch, and colour effects written as ANSI escapes.

#include <cstdio>
#include <ostream>
#include <streambuf>
#include <string>

#include "console/text_mode.hpp"

namespace nuk::con {

class Console;

// One entry of the stream table, taken before main and never changed.
struct StreamEntry {
    bool terminal = false;
    std::streambuf* buffer = nullptr;
    std::FILE* file = nullptr;
};

constexpr int streamCount = 4;  // stdin, stdout, stderr, log
const StreamEntry& streamEntry(int index);

bool isTerminal(const std::ios& stream);
Console* consoleFor(const std::ios& stream);

class Console {
public:
    TextMode mode = none;
    bool colorEnabled = false;
    bool ansiCapable = false;
    bool trueTypeFont = false;
    std::wstring fontName;
    std::ostream* stream = nullptr;
    int defaultForeground = 0xFFFF;
    int defaultBackground = 0xFFFF;

    Console& attach(std::ostream& stream);
    bool preserve();
    bool restore();
    bool reverse();
    bool resetColors();
};

// Ends colouring when the process is interrupted, so that an interrupted dump
// does not leave the terminal in its colours: Linux writes the reset on
// SIGINT, SIGTERM and SIGHUP and then dies by the signal; Windows puts the
// saved attributes back on Ctrl-C and Ctrl-Break. For a console in colour
// whose standard output is a terminal, after preserve.
void restoreColorsOnInterrupt(Console& console);

bool setForegroundColor(std::ostream& stream, int colour);
bool setBackgroundColor(std::ostream& stream, int colour);

// Whether colour switched on for the stream reaches it at all: as escapes,
// or through the attributes of a console that ignores them, which colour
// only the console itself, never a redirected stream.
bool colourReaches(const std::ostream& stream);

// The escape text that setForegroundColor would write to the stream for the
// colour, so that a writer can put it among its own text; empty when no
// escape would be written there (colour off, no console, or a console whose
// colours are set through its attributes between writes).
std::string inlineForegroundEscape(const std::ostream& stream, int colour);

// What an effect does: one of these, never several at once (the numbers
// are powers of two, yet a combination of them is no action).
enum EffectAction : int {
    effectForeground = 1,
    effectBackground = 2,
    effectResetColors = 4,
    effectColors = 8,
    effectReverse = 16,
    effectPreserve = 32,
    effectRestore = 64,
};

struct Effect {
    int action;
    int foreground;
    int background = 0xFFFF;
};

std::ostream& operator<<(std::ostream& out, const Effect& effect);

// The terminal status report of "--help --debug N".
void writeStatus(Console& console, std::ostream& out);

}  // namespace nuk::con
