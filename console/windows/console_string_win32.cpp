// Console text on Windows. A stream that is itself a console, while standard
// output is in wideConsole mode, gets UTF-16 written with WriteConsoleW on its
// console handle, so every character shows whatever the output code page is;
// everything else (a redirected standard error beside a console, files,
// pipes) gets the UTF-8 bytes and keeps its binary mode.

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "cli/utf16.hpp"
#include "console/console.hpp"
#include "console/console_string.hpp"
#include "console/windows/console_system.hpp"
#include "console/windows/console_text.hpp"

namespace nuk::con {

namespace {

constexpr int standardOutputIndex = 1;
constexpr int standardErrorIndex = 2;

// Text that is not valid UTF-8 (a name kept from the command line) must not
// end the program on its way to the screen: invalid bytes show as U+FFFD.
std::wstring toUtf16ForDisplay(const std::string& utf8) {
    try {
        return toUtf16(utf8);
    } catch (const std::runtime_error&) {
        const int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
        std::wstring utf16(size > 0 ? static_cast<std::size_t>(size) : 0, L'\0');
        if (size > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), utf16.data(), size);
        return utf16;
    }
}

struct ConsoleTarget {
    std::FILE* file;
    DWORD standardHandle;  // STD_OUTPUT_HANDLE or STD_ERROR_HANDLE, for GetStdHandle
};

// Standard output or standard error, when the stream writes to one of them
// and that one was a console at start-up.
bool consoleTargetOf(const std::ostream& out, ConsoleTarget& target) {
    if (!wideConsoleOutput) return false;
    if (out.rdbuf() == std::cout.rdbuf() && streamEntry(standardOutputIndex).terminal) {
        target = {stdout, STD_OUTPUT_HANDLE};
        return true;
    }
    if (out.rdbuf() == std::cerr.rdbuf() && streamEntry(standardErrorIndex).terminal) {
        target = {stderr, STD_ERROR_HANDLE};
        return true;
    }
    return false;
}

bool writeToConsole(HANDLE console, const std::wstring& text) {
    for (std::size_t done = 0; done < text.size();) {
        const auto length = static_cast<DWORD>(consoleChunkLength(text, done));
        DWORD written = 0;
        if (!WriteConsoleW(console, text.data() + done, length, &written, nullptr) || written == 0) return false;
        done += written;
    }
    return true;
}

void writeWide(std::ostream& out, const ConsoleTarget& target, const ConsoleString& text) {
    const std::wstring shown = consoleText(out, text);
    out.width(0);
    const ConsoleOutputLock lock;
    // Whatever the narrow stream and the runtime still hold goes first, so
    // the console shows the output in the order it was written.
    out.flush();
    std::fflush(target.file);
    if (!out) return;
    if (!writeToConsole(GetStdHandle(target.standardHandle), shown)) {
        errno = EIO;  // the reason given when the program reports the failed output
        out.setstate(std::ios::badbit);
    }
}

}  // namespace

std::wstring consoleText(const std::ostream& out, const ConsoleString& text) {
    std::wstring utf16;
    if (const std::wstring* wide = text.wide()) {
        utf16 = *wide;
    } else if (const std::string* narrow = text.narrow()) {
        utf16 = toUtf16ForDisplay(*narrow);
    }
    const std::int64_t width = static_cast<std::int64_t>(out.width()) + text.widthCorrection();
    if (width > static_cast<std::int64_t>(utf16.size())) {
        const std::wstring padding(static_cast<std::size_t>(width) - utf16.size(),
                                   static_cast<wchar_t>(static_cast<unsigned char>(out.fill())));
        const bool left = (out.flags() & std::ios::adjustfield) == std::ios::left;
        utf16 = left ? utf16 + padding : padding + utf16;
    }
    std::wstring lines;
    lines.reserve(utf16.size() + utf16.size() / 16);
    for (wchar_t unit : utf16) {
        if (unit == L'\n') lines += L'\r';
        lines += unit;
    }
    return lines;
}

std::ostream& operator<<(std::ostream& out, const ConsoleString& text) {
    ConsoleTarget target{};
    if (consoleTargetOf(out, target)) {
        writeWide(out, target, text);
    } else if (const std::string* narrow = text.narrow()) {
        out << *narrow;
    } else if (const std::wstring* wide = text.wide()) {
        out << toUtf8(*wide);
    }
    return out;
}

bool convertsConsoleText(const std::ostream& out) {
    ConsoleTarget target{};
    return consoleTargetOf(out, target);
}

}  // namespace nuk::con
