#pragma once
// Conversion between UTF-8 and UTF-16 (Windows build: at system calls, the
// console and the command line). Throws std::runtime_error on invalid input.

#include <string>

namespace nuk {

std::wstring toUtf16(const std::string& utf8);
std::wstring toUtf16(const char* utf8);      // nullptr gives ""
std::string toUtf8(const std::wstring& utf16);
std::string toUtf8(const wchar_t* utf16);    // nullptr gives ""

}  // namespace nuk
