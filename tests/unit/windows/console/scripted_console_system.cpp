#include "scripted_console_system.hpp"

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "console/platform_seam.hpp"

namespace nuk::con {

namespace test {

namespace {

// Any non-null values do: the program only passes them back.
HMODULE const kernelModule = reinterpret_cast<HMODULE>(0x1000);
void scriptedFontEntry() {}

}  // namespace

BOOL ScriptedConsole::answer(const Answer& scripted) {
    if (scripted.succeeds) return TRUE;
    lastError = scripted.error;
    return FALSE;
}

HANDLE ScriptedConsole::getStdHandle(DWORD which) {
    if (which != STD_OUTPUT_HANDLE) throw std::logic_error("only standard output is a console here");
    return output;
}

DWORD ScriptedConsole::formatMessage(DWORD, std::string& text) {
    text = systemText;
    return static_cast<DWORD>(text.size());
}

HMODULE ScriptedConsole::loadLibrary(const wchar_t* name) {
    if (std::wstring(name) != L"KERNEL32.DLL" || !kernelLoads) return nullptr;
    ++libraryLoads;
    return kernelModule;
}

FARPROC ScriptedConsole::getProcAddress(HMODULE module, const char* name) {
    const bool found = module == kernelModule && fontQueryExists && std::strcmp(name, "GetCurrentConsoleFontEx") == 0;
    return found ? reinterpret_cast<FARPROC>(&scriptedFontEntry) : nullptr;
}

BOOL ScriptedConsole::freeLibrary(HMODULE module) {
    if (module == kernelModule) ++libraryFrees;
    return TRUE;
}

BOOL ScriptedConsole::getCurrentConsoleFontEx(FARPROC entry, HANDLE handle, BOOL, CONSOLE_FONT_INFOEX* info) {
    if (entry != reinterpret_cast<FARPROC>(&scriptedFontEntry) || handle != output) {
        throw std::logic_error("font queried through an entry or handle the system did not give");
    }
    ++fontQueries;
    if (libraryFrees >= libraryLoads) ++fontQueriesWithoutLibrary;
    if (!answer(font)) return FALSE;
    info->FontFamily = fontFamily;
    std::wstring::size_type i = 0;
    for (; i < faceName.size() && i < 31; ++i) info->FaceName[i] = static_cast<WCHAR>(faceName[i]);
    info->FaceName[i] = 0;
    return TRUE;
}

BOOL ScriptedConsole::getConsoleScreenBufferInfo(HANDLE, CONSOLE_SCREEN_BUFFER_INFO* info) {
    if (!answer(screenBufferInfo)) return FALSE;
    *info = CONSOLE_SCREEN_BUFFER_INFO{};
    info->wAttributes = attributes;
    return TRUE;
}

BOOL ScriptedConsole::getConsoleMode(HANDLE, DWORD* current) {
    if (!answer(getMode)) return FALSE;
    *current = mode;
    return TRUE;
}

BOOL ScriptedConsole::setConsoleMode(HANDLE, DWORD newMode) {
    if (!answer(setMode)) return FALSE;
    mode = newMode;
    modesSet.push_back(newMode);
    return TRUE;
}

BOOL ScriptedConsole::setConsoleTextAttribute(HANDLE, WORD newAttributes) {
    if (!answer(setAttribute)) return FALSE;
    attributes = newAttributes;
    attributesSet.push_back(newAttributes);
    return TRUE;
}

ScriptedConsole& scriptedConsole() {
    static ScriptedConsole console;
    return console;
}

ScriptedConsole& resetScriptedConsole() {
    scriptedConsole() = ScriptedConsole();
    return scriptedConsole();
}

}  // namespace test

ConsoleSystem& consoleSystem() { return test::scriptedConsole(); }

// Standard output is a console in these tests, standard error is redirected;
// the table is taken before main, so this cannot be scripted per test.
bool isTerminalFile(std::FILE* file) { return file == stdout; }

}  // namespace nuk::con
