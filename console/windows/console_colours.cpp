// Colour on a Windows console. A console that takes escape sequences gets
// the same escapes as a Linux terminal; one that does not gets its text
// attributes changed through the console interface, where the low nibble is
// the foreground and the next nibble the background, in the console's own
// colour numbering.

#include "console/ansi_escapes.hpp"
#include "console/platform_seam.hpp"
#include "console/windows/windows_console.hpp"

namespace nuk::con {

namespace {

// The screen-buffer state saved by preserve; restore puts its attributes back.
CONSOLE_SCREEN_BUFFER_INFO savedInfo{};
// Without a saved state restore would set black on black.
bool infoSaved = false;

constexpr int notSet = 0xFFFF;

// Replaces the bits of mask in the current attributes by bits.
bool changeAttributes(WORD mask, WORD bits, const char* function) {
    const ConsoleOutputLock lock;
    ConsoleSystem& system = consoleSystem();
    CONSOLE_SCREEN_BUFFER_INFO info{};
    const bool changed = system.getConsoleScreenBufferInfo(system.getStdHandle(STD_OUTPUT_HANDLE), &info) &&
                         system.setConsoleTextAttribute(system.getStdHandle(STD_OUTPUT_HANDLE),
                                                        static_cast<WORD>((info.wAttributes & ~mask) | bits));
    if (!changed) printLastError(function, ERROR_INVALID_HANDLE);
    return changed;
}

bool setForeground(const Console& console, int colour) {
    if (console.ansiCapable) {
        *console.stream << foregroundEscape(colour);
        return true;
    }
    return applyForegroundWithoutAnsi(colour);
}

bool setBackground(const Console& console, int colour) {
    if (console.ansiCapable) {
        *console.stream << backgroundEscape(colour);
        return true;
    }
    return applyBackgroundWithoutAnsi(colour);
}

}  // namespace

bool applyForegroundWithoutAnsi(int colour) {
    return changeAttributes(0x000F, static_cast<WORD>(colour), "nuk::con::setForegroundColor");
}

bool applyBackgroundWithoutAnsi(int colour) {
    return changeAttributes(0x00F0, static_cast<WORD>(colour << 4), "nuk::con::setBackgroundColor");
}

bool Console::preserve() {
    ConsoleSystem& system = consoleSystem();
    if (!system.getConsoleScreenBufferInfo(system.getStdHandle(STD_OUTPUT_HANDLE), &savedInfo)) {
        printLastError("nuk::con::Console::preserve", ERROR_INVALID_HANDLE);
        return false;
    }
    infoSaved = true;
    return true;
}

bool Console::restore() {
    if (!infoSaved) return false;
    const ConsoleOutputLock lock;
    ConsoleSystem& system = consoleSystem();
    if (!system.setConsoleTextAttribute(system.getStdHandle(STD_OUTPUT_HANDLE), savedInfo.wAttributes)) {
        printLastError("nuk::con::Console::restore", ERROR_INVALID_HANDLE);
        return false;
    }
    return true;
}

// A Windows console has no reverse video to switch on.
bool Console::reverse() { return false; }

bool Console::resetColors() {
    if (!colorEnabled || stream == nullptr) return false;
    // Colours that could not be read at attach would turn into a garbled
    // attribute; there is nothing to return to.
    if (defaultForeground == notSet || defaultBackground == notSet) return false;
    const bool foregroundSet = setForeground(*this, defaultForeground);
    const bool backgroundSet = setBackground(*this, defaultBackground);
    return foregroundSet && backgroundSet;
}

}  // namespace nuk::con
