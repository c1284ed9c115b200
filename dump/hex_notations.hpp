#pragma once
// The three ways a byte is written in the hex column of a dump: "00", "0x00"
// or "$00", every field but the first behind its separator. The dump writes
// its fields from this table (hex_fields) and -r reads them back by it
// (reverse/dump_line), so the two cannot drift apart.

#include <cstddef>

struct Notation {
    char separator;            // ' ' or ','
    const char* prefix;        // "", "0x" or "$", in lower case
    std::size_t prefixLength;

    // A field with its separator: the separator, the prefix, two digits.
    constexpr std::size_t fieldLength() const { return 1 + prefixLength + 2; }
};

inline constexpr Notation plainNotation{' ', "", 0};
inline constexpr Notation cNotation{',', "0x", 2};
inline constexpr Notation turboNotation{',', "$", 1};
