#pragma once
// The keywords of the machines' BASIC dialects, by token. A keyword is kept
// as the machine keeps it: PETSCII bytes, where the power operator is $5E
// (an up arrow) and pi is $FF.

#include <cstdint>
#include <optional>
#include <string_view>

namespace basic {

enum class Dialect {
    basic2,   // C64, VIC-20 (and the PET's older ROMs)
    basic4,   // PET and CBM: BASIC 2 and the disk commands
    basic35,  // C16, Plus/4
    basic7,   // C128: BASIC 3.5's statements and two-byte tokens after $CE and $FE
};

// The names the dialects are given by on the command line: "2", "4", "3.5", "7".
std::string_view dialectName(Dialect dialect);
std::optional<Dialect> dialectNamed(std::string_view name);

// The keyword of a one-byte token ($80 to $FF), empty where the dialect has
// none (and for BASIC 7's prefixes $CE and $FE).
std::string_view keyword(Dialect dialect, std::uint8_t token);

// BASIC 7's prefixes of its two-byte tokens, and the keyword of prefix and
// second byte, empty where there is none.
constexpr std::uint8_t functionPrefix = 0xCE;
constexpr std::uint8_t statementPrefix = 0xFE;
bool isTokenPrefix(Dialect dialect, std::uint8_t byte);
std::string_view prefixedKeyword(std::uint8_t prefix, std::uint8_t second);

// A quote begins and ends a string, inside which every byte is a character,
// when a line is listed and when it is tokenized.
constexpr std::uint8_t quote = 0x22;

}  // namespace basic
