// Binding the console object to standard output on Windows: what the console
// can show (font), what it shows now (colours), whether it takes escape
// sequences, and which text mode the dump's text column uses.

#include "console/console_string.hpp"
#include "console/platform_seam.hpp"
#include "console/windows/windows_console.hpp"

namespace nuk::con {

namespace {

constexpr int standardOutputIndex = 1;

// The stream-table entry of the stream, or nullptr when it is none of the
// standard streams.
const StreamEntry* entryOf(const std::ios& stream) {
    for (int i = 0; i < streamCount; ++i) {
        if (streamEntry(i).buffer == stream.rdbuf()) return &streamEntry(i);
    }
    return nullptr;
}

// A console whose font is TrueType gets UTF-16 text and shows every
// character; a raster font only shows its code page. Output that is not a
// console takes UTF-8.
TextMode textModeFor(const StreamEntry* entry, TextMode currentMode) {
    if (currentMode == ascii) return ascii;
    if (entry == nullptr || !entry->terminal) return unicode;
    if (isConsoleFontTrueType() || currentMode == unicode || currentMode == wideConsole) return wideConsole;
    return codePage;
}

}  // namespace

void getColors(Console& console) {
    ConsoleSystem& system = consoleSystem();
    CONSOLE_SCREEN_BUFFER_INFO info{};
    if (!system.getConsoleScreenBufferInfo(system.getStdHandle(STD_OUTPUT_HANDLE), &info)) {
        printLastError("nuk::con::Console::getColors", ERROR_INVALID_HANDLE);
        return;
    }
    console.defaultForeground = info.wAttributes & 0x0F;
    console.defaultBackground = (info.wAttributes >> 4) & 0x0F;
}

bool setVTProcessing() {
    ConsoleSystem& system = consoleSystem();
    HANDLE output = system.getStdHandle(STD_OUTPUT_HANDLE);
    if (output == INVALID_HANDLE_VALUE) return false;
    DWORD mode = 0;
    if (!system.getConsoleMode(output, &mode)) {
        printLastError("nuk::con::setVTProcessing", ERROR_INVALID_HANDLE);
        return false;
    }
    // Consoles older than the escape support refuse these flags with
    // ERROR_INVALID_PARAMETER; that is an answer, not a fault.
    if (!system.setConsoleMode(output, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING | DISABLE_NEWLINE_AUTO_RETURN)) {
        printLastError("nuk::con::setVTProcessing", ERROR_INVALID_PARAMETER);
        return false;
    }
    return true;
}

Console& Console::attach(std::ostream& target) {
    stream = &target;
    registerConsole(*this, target);
    findConsoleFontQuery();
    trueTypeFont = isConsoleFontTrueType();
    const std::wstring name = getConsoleFontName();
    if (!name.empty()) fontName = name;
    getColors(*this);
    const StreamEntry* entry = entryOf(target);
    if (entry != nullptr && entry->terminal) ansiCapable = setVTProcessing();
    mode = textModeFor(entry, mode);
    wideConsoleOutput = mode == wideConsole;
    releaseConsoleFontLibrary();
    return *this;
}

}  // namespace nuk::con
