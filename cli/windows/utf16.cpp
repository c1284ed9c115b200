// UTF-8 <-> UTF-16 through the system's own converters, so that the program
// accepts and rejects exactly what the file system and the console do.

#include "cli/utf16.hpp"

#include <windows.h>

#include <stdexcept>

namespace nuk {

std::wstring toUtf16(const char* utf8) {
    if (utf8 == nullptr) return std::wstring();
    // Length -1 reads up to the terminating NUL, which the size includes.
    const int size = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, -1, nullptr, 0);
    if (size < 1) throw std::runtime_error("UTF-8 conversion failed");
    std::wstring utf16(static_cast<std::size_t>(size - 1), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8, -1, utf16.data(), size);
    return utf16;
}

std::wstring toUtf16(const std::string& utf8) { return toUtf16(utf8.c_str()); }

std::string toUtf8(const wchar_t* utf16) {
    if (utf16 == nullptr) return std::string();
    const int size = WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, utf16, -1, nullptr, 0, nullptr, nullptr);
    if (size < 1) throw std::runtime_error("UTF-16 conversion failed");
    std::string utf8(static_cast<std::size_t>(size - 1), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16, -1, utf8.data(), size, nullptr, nullptr);
    return utf8;
}

std::string toUtf8(const std::wstring& utf16) { return toUtf8(utf16.c_str()); }

}  // namespace nuk
