// The console calls of the program: straight through to the system.

#include "console/windows/console_system.hpp"

namespace nuk::con {

namespace {

using GetCurrentConsoleFontExEntry = BOOL(WINAPI*)(HANDLE, BOOL, PCONSOLE_FONT_INFOEX);

class Win32ConsoleSystem final : public ConsoleSystem {
public:
    HANDLE getStdHandle(DWORD which) override { return GetStdHandle(which); }

    DWORD getLastError() override { return GetLastError(); }

    DWORD formatMessage(DWORD code, std::string& text) override {
        char* buffer = nullptr;
        const DWORD length = FormatMessageA(
            FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
            nullptr, code, MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&buffer), 0,
            nullptr);
        text.assign(buffer != nullptr ? buffer : "", buffer != nullptr ? length : 0);
        LocalFree(buffer);
        return length;
    }

    HMODULE loadLibrary(const wchar_t* name) override { return LoadLibraryW(name); }

    FARPROC getProcAddress(HMODULE module, const char* name) override {
        return GetProcAddress(module, name);
    }

    BOOL freeLibrary(HMODULE module) override { return FreeLibrary(module); }

    BOOL getCurrentConsoleFontEx(FARPROC entry, HANDLE output, BOOL maximumWindow,
                                 CONSOLE_FONT_INFOEX* font) override {
        // FARPROC is the system's generic entry type; the real signature is restored here.
        const auto typedEntry = reinterpret_cast<GetCurrentConsoleFontExEntry>(reinterpret_cast<void*>(entry));
        return typedEntry(output, maximumWindow, font);
    }

    BOOL getConsoleScreenBufferInfo(HANDLE output, CONSOLE_SCREEN_BUFFER_INFO* info) override {
        return GetConsoleScreenBufferInfo(output, info);
    }

    BOOL getConsoleMode(HANDLE output, DWORD* mode) override { return GetConsoleMode(output, mode); }

    BOOL setConsoleMode(HANDLE output, DWORD mode) override { return SetConsoleMode(output, mode); }

    BOOL setConsoleTextAttribute(HANDLE output, WORD attributes) override {
        return SetConsoleTextAttribute(output, attributes);
    }

    UINT getConsoleOutputCP() override { return GetConsoleOutputCP(); }

    Win32ConsoleSystem() { InitializeCriticalSection(&output_); }
    // The section is never deleted: the Ctrl-C handler may still take it
    // while the program's thread ends.

    void lockOutput() override { EnterCriticalSection(&output_); }
    void unlockOutput() override { LeaveCriticalSection(&output_); }

private:
    CRITICAL_SECTION output_;
};

}  // namespace

ConsoleSystem& consoleSystem() {
    static Win32ConsoleSystem system;
    return system;
}

}  // namespace nuk::con
