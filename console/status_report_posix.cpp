#include <iostream>

#include "console/console.hpp"

namespace nuk::con {

void writeStatus(Console& console, std::ostream& out) {
    out << "stdout ";
    if (isTerminal(std::cout)) {
        out << "is a terminal;" << " ANSI capable:" << (console.ansiCapable ? "yes" : "no") << "\n";
    } else {
        out << "is redirected\n";
    }
    out << "\n";
}

}  // namespace nuk::con
