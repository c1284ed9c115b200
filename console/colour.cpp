// setForegroundColor and setBackgroundColor: the gate shared by every
// platform, then escapes or the platform's console attributes.

#include "console/ansi_escapes.hpp"
#include "console/console.hpp"
#include "console/platform_seam.hpp"

namespace nuk::con {

namespace {

// A colour outside 0..15 (such as the 0xFFFF "not set" marker) would turn
// into a wrong escape or a garbled attribute, so it is refused.
Console* consoleToColour(const std::ostream& stream, int colour) {
    return isColourNumber(colour) ? colouringConsoleFor(stream) : nullptr;
}

}  // namespace

Console* colouringConsoleFor(const std::ios& stream) {
    Console* console = consoleFor(stream);
    return console != nullptr && console->colorEnabled ? console : nullptr;
}

bool setForegroundColor(std::ostream& stream, int colour) {
    Console* console = consoleToColour(stream, colour);
    if (console == nullptr) {
        return false;
    }
    if (!console->ansiCapable) {
        return applyForegroundWithoutAnsi(colour);
    }
    stream << foregroundEscape(colour);
    return true;
}

bool colourReaches(const std::ostream& stream) {
    const Console* console = colouringConsoleFor(stream);
    return console != nullptr && (console->ansiCapable || isTerminal(stream));
}

std::string inlineForegroundEscape(const std::ostream& stream, int colour) {
    const Console* console = consoleToColour(stream, colour);
    if (console == nullptr || !console->ansiCapable) {
        return {};
    }
    return foregroundEscape(colour);
}

bool setBackgroundColor(std::ostream& stream, int colour) {
    Console* console = consoleToColour(stream, colour);
    if (console == nullptr) {
        return false;
    }
    if (!console->ansiCapable) {
        return applyBackgroundWithoutAnsi(colour);
    }
    stream << backgroundEscape(colour);
    return true;
}

}  // namespace nuk::con
