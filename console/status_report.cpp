// The terminal status report of "--help --debug N": the same lines on every
// platform; only what kind of terminal standard output is differs.

#include <iostream>

#include "console/console.hpp"
#include "console/platform_seam.hpp"

namespace nuk::con {

void writeStatus(Console& console, std::ostream& out) {
    out << "stdout ";
    if (isTerminal(std::cout)) {
        out << "is a " << terminalKind() << "; ANSI capable:" << (console.ansiCapable ? "yes" : "no") << "\n";
    } else {
        out << "is redirected\n";
    }
    out << "\n";
}

}  // namespace nuk::con
