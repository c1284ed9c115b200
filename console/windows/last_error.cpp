#include <iostream>
#include <stdexcept>
#include <string>

#include "console/windows/windows_console.hpp"

namespace nuk::con {

void printLastError(const char* function, DWORD ignoredCode) {
    ConsoleSystem& system = consoleSystem();
    const DWORD code = system.getLastError();
    if (code == ignoredCode) return;
    std::cerr << "Fatal: in " << function << ": \"";
    std::string text;
    if (system.formatMessage(code, text) <= 2) {
        throw std::runtime_error("Failed to retrieve error message string.");
    }
    // The system ends its texts with CR LF.
    text.resize(text.size() - 2);
    std::cerr << text << "\" (" << code << ")\n";
}

}  // namespace nuk::con
