// The console font: TrueType fonts can show any character written as UTF-16,
// raster fonts only those of the output code page.

#include "console/windows/windows_console.hpp"

namespace nuk::con {

namespace {

// GetCurrentConsoleFontEx, or nullptr where the system lacks it. KERNEL32 is
// loaded in every process, so the entry stays valid after FreeLibrary.
FARPROC fontQuery = nullptr;
// The library reference taken to find it, held until attach is done asking.
HMODULE kernelLibrary = nullptr;

bool queryFont(CONSOLE_FONT_INFOEX& font) {
    ConsoleSystem& system = consoleSystem();
    font = CONSOLE_FONT_INFOEX{};
    font.cbSize = sizeof(CONSOLE_FONT_INFOEX);
    return system.getCurrentConsoleFontEx(fontQuery, system.getStdHandle(STD_OUTPUT_HANDLE), FALSE, &font) != 0;
}

}  // namespace

void findConsoleFontQuery() {
    ConsoleSystem& system = consoleSystem();
    kernelLibrary = system.loadLibrary(L"KERNEL32.DLL");
    fontQuery = kernelLibrary != nullptr ? system.getProcAddress(kernelLibrary, "GetCurrentConsoleFontEx") : nullptr;
}

void releaseConsoleFontLibrary() {
    if (kernelLibrary != nullptr) consoleSystem().freeLibrary(kernelLibrary);
    kernelLibrary = nullptr;
}

bool isConsoleFontTrueType() {
    if (fontQuery == nullptr) return false;
    CONSOLE_FONT_INFOEX font;
    if (!queryFont(font)) {
        printLastError("nuk::con::isConsoleFontTrueType", ERROR_INVALID_HANDLE);
        return false;
    }
    return (font.FontFamily & TMPF_TRUETYPE) != 0;
}

std::wstring getConsoleFontName() {
    if (fontQuery == nullptr) return std::wstring();
    CONSOLE_FONT_INFOEX font;
    if (!queryFont(font)) {
        printLastError("nuk::con::getConsoleFontName", ERROR_INVALID_HANDLE);
        return std::wstring();
    }
    // FaceName is a fixed array; the name ends at its first NUL or at the array's end.
    const WCHAR* name = font.FaceName;
    std::size_t length = 0;
    while (length < sizeof(font.FaceName) / sizeof(font.FaceName[0]) && name[length] != 0) ++length;
    return std::wstring(name, name + length);
}

}  // namespace nuk::con
