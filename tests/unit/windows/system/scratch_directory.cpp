#include "scratch_directory.hpp"

#include <fstream>
#include <sstream>

#include "cli/utf16.hpp"
#include "console/console_string.hpp"
#include "files/windows/long_path.hpp"

namespace nuk::test {

namespace {

std::wstring currentDirectory() {
    std::wstring path(GetCurrentDirectoryW(0, nullptr), L'\0');
    path.resize(GetCurrentDirectoryW(static_cast<DWORD>(path.size()), path.data()));
    return path;
}

void removeTree(const std::wstring& path) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((path + L"\\*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                removeTree(child);
            } else {
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(path.c_str());
}

}  // namespace

void ScratchDirectory::SetUp() {
    // Messages written during a test must stay UTF-8 on the captured stderr.
    con::wideConsoleOutput = false;
    wchar_t temp[MAX_PATH + 1];
    GetTempPathW(MAX_PATH + 1, temp);
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    root_ = std::wstring(temp) + L"hexloom-" + toUtf16(test->name()) + L"-" + std::to_wstring(GetCurrentProcessId());
    removeTree(root_);
    ASSERT_TRUE(CreateDirectoryW(root_.c_str(), nullptr));
    previous_ = currentDirectory();
    ASSERT_TRUE(SetCurrentDirectoryW(root_.c_str()));
}

void ScratchDirectory::TearDown() {
    SetCurrentDirectoryW(previous_.c_str());
    removeTree(toLongPath(toUtf8(root_)));
}

void ScratchDirectory::makeFile(const std::string& name, const std::string& content) {
    std::ofstream file(toLongPath(name).c_str(), std::ios::binary);
    file << content;
    ASSERT_TRUE(file.good()) << name;
}

void ScratchDirectory::makeDirectory(const std::string& name) {
    ASSERT_TRUE(CreateDirectoryW(toLongPath(name).c_str(), nullptr)) << name;
}

std::string ScratchDirectory::here() const { return toUtf8(currentDirectory()); }

std::string textOf(const cli::Msg& message) {
    std::ostringstream out;
    if (message.writer) {
        message.writer(out);
    } else {
        out << message.text;
    }
    return out.str();
}

}  // namespace nuk::test
