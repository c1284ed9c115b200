// Colour effects written with <<, so that they chain with the text they colour.

#include "console/console.hpp"

namespace nuk::con {

std::ostream& operator<<(std::ostream& out, const Effect& effect) {
    Console* console = consoleFor(out);
    if (console == nullptr) {
        return out;
    }
    // One action per effect. The actions are numbered in powers of two, but
    // they are not flags: a value that combines two of them names no action
    // and writes nothing.
    switch (effect.action) {
    case effectForeground:
        setForegroundColor(out, effect.foreground);
        break;
    case effectBackground:
        setBackgroundColor(out, effect.background);
        break;
    case effectResetColors:
        console->resetColors();
        break;
    case effectColors:
        setForegroundColor(out, effect.foreground);
        setBackgroundColor(out, effect.background);
        break;
    case effectReverse:
        console->reverse();
        break;
    case effectPreserve:
        console->preserve();
        break;
    case effectRestore:
        if (console->colorEnabled) {
            console->restore();
        }
        break;
    default:
        break;
    }
    return out;
}

}  // namespace nuk::con
