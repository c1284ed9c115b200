#pragma once
// The one integer notation of the program (decimal, "$"/"0x" hexadecimal,
// "%" binary) and two small text helpers used by the dump output.

#include <cstdint>
#include <optional>
#include <string>

namespace nuk::cli {

// True when text is a non-negative integer in the given base; base 0 detects
// the notation from the prefix ("0x", "$", "%", else decimal).
bool isInteger(const std::string& text, int base = 0);

// The value of text, 0..2147483647 (saturating like a 32-bit strtol),
// or -1 when text is not a valid integer.
std::int64_t toInteger(const std::string& text);

// A byte offset or count as typed: the magnitude, and whether a "-" stood in
// front of it. The sign is kept apart so that "-0" differs from "0" and no
// value has to stand for "invalid".
struct SignedInteger {
    bool negative = false;
    std::uint64_t magnitude = 0;
};

// The largest magnitude of a SignedInteger: the largest file offset that
// every build can seek to.
constexpr std::uint64_t largestMagnitude = 9223372036854775807u;

// True when text is "-" followed by a non-negative integer.
bool isNegativeInteger(const std::string& text);

// The value of an integer text, with or without a leading "-", converted in
// full (no saturation); nothing when text is no integer or its magnitude is
// past largestMagnitude.
std::optional<SignedInteger> toSignedInteger(const std::string& text);

}  // namespace nuk::cli

namespace nuk {

// Upper-cases every byte of text in place.
void toUpper(std::string& text);

// Appends the UTF-8 form of codePoint; code points past U+10FFFF append nothing.
void appendUtf8(std::string& text, std::uint32_t codePoint);

}  // namespace nuk
