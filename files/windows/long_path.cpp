#include "files/windows/long_path.hpp"

#include <windows.h>

#include <algorithm>

#include "cli/utf16.hpp"
#include "files/file.hpp"

namespace nuk {

namespace {

const std::wstring longPathPrefix = L"\\\\?\\";
const std::wstring devicePrefix = L"\\\\.\\";
const std::wstring networkPrefix = L"\\\\";

bool startsWith(const std::wstring& text, const std::wstring& start) { return text.compare(0, start.size(), start) == 0; }

// A path that already has a prefix keeps it; a network path (\\server\share)
// takes the prefix's own network form, since the plain prefix in front of it
// would name nothing.
std::wstring withLongPathPrefix(const std::wstring& full) {
    if (startsWith(full, longPathPrefix) || startsWith(full, devicePrefix)) return full;
    if (startsWith(full, networkPrefix)) return longPathPrefix + L"UNC\\" + full.substr(networkPrefix.size());
    return longPathPrefix + full;
}

}  // namespace

std::wstring toLongPath(const std::string& path) {
    const std::wstring utf16 = toUtf16(path);
    const DWORD size = GetFullPathNameW(utf16.c_str(), 0, nullptr, nullptr);
    if (size == 0) return std::wstring();
    std::wstring full(size, L'\0');
    const DWORD length = GetFullPathNameW(utf16.c_str(), size, full.data(), nullptr);
    full.resize(std::min<DWORD>(length, size - 1));
    return withLongPathPrefix(full);
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
