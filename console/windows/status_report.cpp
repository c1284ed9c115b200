#include <iostream>

#include "console/windows/windows_console.hpp"

namespace nuk::con {

void writeStatus(Console& console, std::ostream& out) {
    out << "stdout ";
    if (isTerminal(std::cout)) {
        out << "is a Windows console;"
            << " codepage:" << consoleSystem().getConsoleOutputCP()
            << "; TTF font:" << (isConsoleFontTrueType() ? "yes" : "no")
            << "; ANSI capable:" << (console.ansiCapable ? "yes" : "no") << "\n";
    } else {
        out << "is redirected\n";
    }
    out << "\n";
}

}  // namespace nuk::con
