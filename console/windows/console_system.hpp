#pragma once
// The Win32 console calls of the console layer, behind one interface.
//
// The Windows program links the real calls (console_system_win32.cpp). The
// unit tests link a scripted stand-in instead, which answers each call as the
// test says (success, or failure with an error code), so that attach, the
// colour paths and the error reports run on Linux too. For that reason the
// console logic never includes windows.h itself; on other systems this
// header supplies the few types and constants it needs.

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdint>

using BOOL = int;
using UINT = unsigned int;
using ULONG = std::uint32_t;
using DWORD = std::uint32_t;
using WORD = std::uint16_t;
using SHORT = std::int16_t;
using WCHAR = wchar_t;
using HANDLE = void*;
using HMODULE = void*;
using FARPROC = void (*)();

struct COORD {
    SHORT X;
    SHORT Y;
};

struct SMALL_RECT {
    SHORT Left;
    SHORT Top;
    SHORT Right;
    SHORT Bottom;
};

struct CONSOLE_SCREEN_BUFFER_INFO {
    COORD dwSize;
    COORD dwCursorPosition;
    WORD wAttributes;
    SMALL_RECT srWindow;
    COORD dwMaximumWindowSize;
};

struct CONSOLE_FONT_INFOEX {
    ULONG cbSize;
    DWORD nFont;
    COORD dwFontSize;
    UINT FontFamily;
    UINT FontWeight;
    WCHAR FaceName[32];
};

inline const HANDLE INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(-1);
constexpr BOOL FALSE = 0;
constexpr BOOL TRUE = 1;
constexpr DWORD STD_OUTPUT_HANDLE = static_cast<DWORD>(-11);
constexpr DWORD ENABLE_VIRTUAL_TERMINAL_PROCESSING = 0x4;
constexpr DWORD DISABLE_NEWLINE_AUTO_RETURN = 0x8;
constexpr UINT TMPF_TRUETYPE = 0x4;
constexpr DWORD ERROR_ACCESS_DENIED = 5;
constexpr DWORD ERROR_INVALID_HANDLE = 6;
constexpr DWORD ERROR_INVALID_PARAMETER = 87;
#endif

#include <string>

namespace nuk::con {

class ConsoleSystem {
public:
    virtual ~ConsoleSystem() = default;

    virtual HANDLE getStdHandle(DWORD which) = 0;
    virtual DWORD getLastError() = 0;
    // FormatMessageA for a system error code, neutral language; returns the
    // length the system reports (0 on failure) and the text with its line end.
    virtual DWORD formatMessage(DWORD code, std::string& text) = 0;

    virtual HMODULE loadLibrary(const wchar_t* name) = 0;
    virtual FARPROC getProcAddress(HMODULE module, const char* name) = 0;
    virtual BOOL freeLibrary(HMODULE module) = 0;
    // Calls the GetCurrentConsoleFontEx entry point found by getProcAddress.
    virtual BOOL getCurrentConsoleFontEx(FARPROC entry, HANDLE output, BOOL maximumWindow,
                                         CONSOLE_FONT_INFOEX* font) = 0;

    virtual BOOL getConsoleScreenBufferInfo(HANDLE output, CONSOLE_SCREEN_BUFFER_INFO* info) = 0;
    virtual BOOL getConsoleMode(HANDLE output, DWORD* mode) = 0;
    virtual BOOL setConsoleMode(HANDLE output, DWORD mode) = 0;
    virtual BOOL setConsoleTextAttribute(HANDLE output, WORD attributes) = 0;
    virtual UINT getConsoleOutputCP() = 0;

    // One lock for everything that changes what the console shows: the text
    // and colour writes of the program's thread and the restore of the
    // Ctrl-C handler, which runs on a thread of its own. A thread may take
    // it again while it holds it. Nothing to lock where nothing runs beside.
    virtual void lockOutput() {}
    virtual void unlockOutput() {}
};

// The console calls in use: the system's in the program, a script in the tests.
ConsoleSystem& consoleSystem();

// Holds the console's output lock for its scope.
class ConsoleOutputLock {
public:
    ConsoleOutputLock() { consoleSystem().lockOutput(); }
    ~ConsoleOutputLock() { consoleSystem().unlockOutput(); }
    ConsoleOutputLock(const ConsoleOutputLock&) = delete;
    ConsoleOutputLock& operator=(const ConsoleOutputLock&) = delete;
};


}  // namespace nuk::con
