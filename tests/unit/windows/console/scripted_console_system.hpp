#pragma once
// A stand-in for the Win32 console calls. Each call answers as the test
// scripted it: success with the scripted values, or failure with an error
// code, which getLastError then returns. It behaves like one console screen
// buffer: attributes that are set can be read back.

#include <string>
#include <vector>

#include "console/windows/console_system.hpp"

namespace nuk::con::test {

// One call's scripted answer: succeeds, or fails with the given code.
struct Answer {
    bool succeeds = true;
    DWORD error = 0;
    static Answer failsWith(DWORD code) { return Answer{false, code}; }
};

struct ScriptedConsole final : ConsoleSystem {
    // Script.
    HANDLE output = reinterpret_cast<HANDLE>(0x40);
    bool kernelLoads = true;
    bool fontQueryExists = true;
    Answer font;
    UINT fontFamily = TMPF_TRUETYPE;
    std::wstring faceName = L"Consolas";
    Answer screenBufferInfo;
    WORD attributes = 0x07;  // light grey on black
    Answer getMode;
    DWORD mode = 0x3;
    Answer setMode;
    Answer setAttribute;
    UINT outputCodePage = 850;
    std::string systemText = "The handle is invalid.\r\n";  // empty: FormatMessageA fails

    // What the program did.
    DWORD lastError = 0;
    std::vector<WORD> attributesSet;
    std::vector<DWORD> modesSet;
    int libraryLoads = 0;
    int libraryFrees = 0;
    int fontQueries = 0;
    int fontQueriesWithoutLibrary = 0;  // made while the program held no KERNEL32 reference

    HANDLE getStdHandle(DWORD which) override;
    DWORD getLastError() override { return lastError; }
    DWORD formatMessage(DWORD code, std::string& text) override;
    HMODULE loadLibrary(const wchar_t* name) override;
    FARPROC getProcAddress(HMODULE module, const char* name) override;
    BOOL freeLibrary(HMODULE module) override;
    BOOL getCurrentConsoleFontEx(FARPROC entry, HANDLE handle, BOOL maximumWindow,
                                 CONSOLE_FONT_INFOEX* info) override;
    BOOL getConsoleScreenBufferInfo(HANDLE handle, CONSOLE_SCREEN_BUFFER_INFO* info) override;
    BOOL getConsoleMode(HANDLE handle, DWORD* current) override;
    BOOL setConsoleMode(HANDLE handle, DWORD newMode) override;
    BOOL setConsoleTextAttribute(HANDLE handle, WORD newAttributes) override;
    UINT getConsoleOutputCP() override { return outputCodePage; }

private:
    BOOL answer(const Answer& scripted);
};

// The one scripted console every console call of the program reaches.
ScriptedConsole& scriptedConsole();

// A fresh script: a TrueType console that takes escape sequences.
ScriptedConsole& resetScriptedConsole();

}  // namespace nuk::con::test
