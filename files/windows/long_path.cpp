#include "files/windows/long_path.hpp"

#include <windows.h>

#include <algorithm>

#include "cli/utf16.hpp"
#include "files/file.hpp"

namespace nuk {

namespace {

const std::wstring longPathPrefix = L"\\\\?\\";

}  // namespace

std::wstring toLongPath(const std::string& path) {
    const std::wstring utf16 = toUtf16(path);
    const DWORD size = GetFullPathNameW(utf16.c_str(), 0, nullptr, nullptr);
    if (size == 0) return std::wstring();
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(utf16.c_str(), size, full.data(), nullptr);
    full.resize(std::min<DWORD>(length, size - 1));
    return longPathPrefix + full;
}

std::string joinPath(const std::string& directory, const std::string& name) {
    if (directory.empty()) return name;
    const auto headEnd = directory.find_last_not_of(pathSeparators);
    const std::string head = headEnd == std::string::npos ? std::string() : directory.substr(0, headEnd + 1);
    const auto tailStart = name.find_first_not_of(pathSeparators);
    const std::string tail = tailStart == std::string::npos ? std::string() : name.substr(tailStart);
    if (name.empty()) return head;
    std::string joined = head + '\\' + tail;
    std::replace(joined.begin(), joined.end(), '/', '\\');
    return joined;
}

unsigned long fileAttributes(const std::string& path) {
    return GetFileAttributesW(toLongPath(path).c_str());
}

}  // namespace nuk
