// Test helper for the console stage: writes what the console it runs in
// shows, from the first line to the cursor's line, as UTF-8 to the file named
// on its command line. Trailing blanks of each line are dropped, lines end in
// LF. It reads the screen buffer itself (ReadConsoleOutputCharacterW), so the
// assertions can compare exact text rather than pictures.
//
//   read_screen.exe OUTPUT [PROCEED]
// With PROCEED it then waits (at most 30 seconds) until a file of that name
// exists, so that the screen stays as it is while the stage looks at it.
// Exit status 0 when the file was written, 2 on a usage error, 1 otherwise.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

std::string toUtf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                         nullptr, nullptr);
    std::string bytes(static_cast<std::size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), bytes.data(), size, nullptr,
                        nullptr);
    return bytes;
}

bool readScreen(std::string& screen) {
    // Standard output of this helper may be redirected; the console itself is always CONOUT$.
    HANDLE console = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                 nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) return false;
    CONSOLE_SCREEN_BUFFER_INFO info;
    if (!GetConsoleScreenBufferInfo(console, &info)) {
        CloseHandle(console);
        return false;
    }
    const SHORT width = info.dwSize.X;
    std::wstring line(static_cast<std::size_t>(width), L' ');
    // The cursor stands on the empty line after the last output.
    for (SHORT row = 0; row < info.dwCursorPosition.Y; ++row) {
        DWORD read = 0;
        if (!ReadConsoleOutputCharacterW(console, line.data(), static_cast<DWORD>(width), COORD{0, row}, &read)) {
            CloseHandle(console);
            return false;
        }
        std::wstring text(line.data(), read);
        text.erase(text.find_last_not_of(L' ') + 1);
        screen += toUtf8(text) + "\n";
    }
    CloseHandle(console);
    return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 2 && argc != 3) {
        std::fputs("usage: read_screen OUTPUT [PROCEED]\n", stderr);
        return 2;
    }
    std::string screen;
    if (!readScreen(screen)) return 1;
    // Written under another name first and renamed, so a waiting reader never sees half a file.
    const std::wstring part = std::wstring(argv[1]) + L".part";
    std::FILE* file = _wfopen(part.c_str(), L"wb");
    if (file == nullptr) return 1;
    const bool written = std::fwrite(screen.data(), 1, screen.size(), file) == screen.size();
    if (std::fclose(file) != 0 || !written) return 1;
    if (!MoveFileExW(part.c_str(), argv[1], MOVEFILE_REPLACE_EXISTING)) return 1;
    if (argc == 3) {
        for (int waited = 0; waited < 600 && GetFileAttributesW(argv[2]) == INVALID_FILE_ATTRIBUTES; ++waited) {
            Sleep(50);
        }
    }
    return 0;
}
