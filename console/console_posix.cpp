// The Linux console: every terminal is taken to understand ANSI escapes, so
// colour is always written as escape sequences and there is nothing to save.

#include <clocale>

#include "console/ansi_escapes.hpp"
#include "console/console.hpp"
#include "console/platform_seam.hpp"

namespace nuk::con {

namespace {

// Escapes go out whenever colour was requested, whether or not standard
// output is a terminal: a user who asks for colour in a file gets it.
bool writeWhenColouring(Console& console, const char* escape) {
    if (!console.colorEnabled || !console.ansiCapable || console.stream == nullptr) {
        return false;
    }
    *console.stream << escape;
    return true;
}

}  // namespace

Console& Console::attach(std::ostream& target) {
    stream = &target;
    std::setlocale(LC_ALL, "");
    registerConsole(*this, target);
    // No terminal database is consulted: a Linux terminal is assumed to be ANSI.
    ansiCapable = true;
    if (mode != ascii) {
        mode = unicode;
    }
    return *this;
}

bool Console::preserve() { return true; }

bool Console::restore() { return writeWhenColouring(*this, resetEscape); }

bool Console::reverse() { return writeWhenColouring(*this, reverseEscape); }

bool Console::resetColors() { return writeWhenColouring(*this, resetEscape); }

// A Linux console always takes escapes, so there are no attributes to set.
bool applyForegroundWithoutAnsi(int) { return false; }
bool applyBackgroundWithoutAnsi(int) { return false; }

}  // namespace nuk::con
