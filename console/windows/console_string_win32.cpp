// Console text on Windows. A console in wideConsole mode gets UTF-16 through
// the runtime's UTF-16 text mode, which writes with WriteConsoleW and so shows
// every character whatever the output code page; everything else gets UTF-8.

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "cli/utf16.hpp"
#include "console/console_string.hpp"
#include "console/windows/console_system.hpp"

namespace nuk::con {

namespace {

// Text that is not valid UTF-8 (a name kept from the command line) must not
// end the program on its way to the screen: invalid bytes show as U+FFFD.
std::wstring toUtf16ForDisplay(const std::string& utf8) {
    try {
        return toUtf16(utf8);
    } catch (const std::runtime_error&) {
        const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, nullptr, 0);
        std::wstring utf16(size > 0 ? static_cast<std::size_t>(size - 1) : 0, L'\0');
        if (size > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.c_str(), -1, utf16.data(), size);
        return utf16;
    }
}

struct WideTarget {
    std::FILE* file;
    std::wostream* stream;
};

// Only standard output and standard error have a wide twin.
bool wideTargetOf(const std::ostream& out, WideTarget& target) {
    if (out.rdbuf() == std::cout.rdbuf()) {
        target = {stdout, &std::wcout};
        return true;
    }
    if (out.rdbuf() == std::cerr.rdbuf()) {
        target = {stderr, &std::wcerr};
        return true;
    }
    return false;
}

void writeWide(std::ostream& out, const WideTarget& target, const ConsoleString& text) {
    // Whatever the narrow stream still holds goes first, so output keeps its order.
    out.flush();
    std::fflush(target.file);
    _setmode(_fileno(target.file), _O_U16TEXT);
    target.stream->flags(out.flags());
    target.stream->width(out.width() + text.widthCorrection());
    if (const std::wstring* wide = text.wide()) {
        *target.stream << *wide;
    } else if (const std::string* narrow = text.narrow()) {
        *target.stream << toUtf16ForDisplay(*narrow);
    }
    target.stream->flush();
    std::fflush(target.file);
    _setmode(_fileno(target.file), _O_TEXT);
    out.width(0);
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const ConsoleString& text) {
    WideTarget target{};
    if (wideConsoleOutput && wideTargetOf(out, target)) {
        writeWide(out, target, text);
    } else if (const std::string* narrow = text.narrow()) {
        out << *narrow;
    } else if (const std::wstring* wide = text.wide()) {
        out << toUtf8(*wide);
    }
    return out;
}

bool convertsConsoleText(const std::ostream& out) {
    WideTarget target{};
    return wideConsoleOutput && wideTargetOf(out, target);
}

}  // namespace nuk::con
