// Starts hexloom.exe (found beside this program) with the command line this
// program received, but with "hexloom" as its first word: the command line a
// user's shell builds for `hexloom ARGS`. Under Wine a program started
// directly sees its full Windows path as argv[0] instead.
// The standard handles are inherited; the exit code is passed on.
#include <windows.h>

#include <string>

namespace {

// The rest of the command line after the first word, by the rules the
// runtime uses for argv[0]: a quoted word ends at the next quote, an
// unquoted one at the first blank.
const wchar_t* afterFirstWord(const wchar_t* line) {
    if (*line == L'"') {
        ++line;
        while (*line && *line != L'"') ++line;
        if (*line) ++line;
    } else {
        while (*line && *line != L' ' && *line != L'\t') ++line;
    }
    return line;
}

std::wstring programBesideThisOne() {
    wchar_t path[32768];
    DWORD length = GetModuleFileNameW(nullptr, path, 32768);
    std::wstring own(path, length);
    return own.substr(0, own.find_last_of(L"\\/") + 1) + L"hexloom.exe";
}

}  // namespace

int wmain() {
    std::wstring program = programBesideThisOne();
    std::wstring commandLine = std::wstring(L"hexloom") + afterFirstWord(GetCommandLineW());

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        return 125;
    }
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD code = 125;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return static_cast<int>(code);
}
