#pragma once
// Conversion between UTF-8 and UTF-16 (Windows build: at system calls, the
// console and the command line). Throws std::runtime_error on invalid input.

#include <cstddef>
#include <string>

namespace nuk {

std::wstring toUtf16(const std::string& utf8);
std::wstring toUtf16(const char* utf8);      // nullptr gives ""
std::string toUtf8(const std::wstring& utf16);
std::string toUtf8(const wchar_t* utf16);    // nullptr gives ""

// Windows lets command-line words and file names hold unpaired surrogates,
// which have no UTF-8 form. Such a word must not end the program, so it is
// carried as UTF-8 with each unpaired surrogate in its three-byte pattern
// (ED A0..BF xx). No valid UTF-8 holds those bytes, so the first conversion
// back to UTF-16 refuses the word, and the file layer reports it by name.
std::string toUtf8KeepingSurrogates(const wchar_t* utf16);  // nullptr gives ""

// How many leading bytes (units) of the text convert; the whole size when all do.
std::size_t convertibleUtf8Length(const std::string& utf8);
std::size_t convertibleUtf16Length(const std::wstring& utf16);

}  // namespace nuk
