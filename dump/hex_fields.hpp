#pragma once
// The byte fields of the hex column ("00", "0x00" or "$00" behind their
// separator) and the address digits, looked up rather than computed.

#include <array>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "dump/hex_notations.hpp"

// Every field is kept in eight bytes, so that one fixed-size copy writes it;
// the bytes past its length are spaces and get overwritten by what follows.
constexpr std::size_t fieldStorage = 8;
using Field = std::array<char, fieldStorage>;

// The fields of one notation and digit case, separator included, for every
// byte value and for a missing byte ("--").
class HexFields {
public:
    HexFields(const Notation& notation, bool upperCase);

    const Field& of(std::uint8_t byte) const { return fields_[byte]; }
    const Field& missing() const { return missing_; }
    std::size_t length() const { return length_; }

private:
    std::array<Field, 256> fields_;
    Field missing_;
    std::size_t length_;
};

// The fields of plainNotation, cNotation or turboNotation (told apart by
// identity), built on first use and shared by every dump of the process.
const HexFields& hexFields(const Notation& notation, bool upperCase);

// Writes the fields of n bytes, each with its separator, from `at` on and
// returns the end of the last one. Four fields a round, as a field's place
// does not depend on the bytes.
inline char* writeFields(char* at, const HexFields& fields, const std::uint8_t* bytes, std::size_t n) {
    const std::size_t length = fields.length();
    std::size_t i = 0;
    for (; i + 4 <= n; i += 4, at += 4 * length) {
        std::memcpy(at, fields.of(bytes[i]).data(), fieldStorage);
        std::memcpy(at + length, fields.of(bytes[i + 1]).data(), fieldStorage);
        std::memcpy(at + 2 * length, fields.of(bytes[i + 2]).data(), fieldStorage);
        std::memcpy(at + 3 * length, fields.of(bytes[i + 3]).data(), fieldStorage);
    }
    for (; i < n; ++i, at += length) std::memcpy(at, fields.of(bytes[i]).data(), fieldStorage);
    return at;
}

using DigitPairs = std::array<std::array<char, 2>, 256>;

constexpr DigitPairs lowerDigitPairs() {
    const char* digits = "0123456789abcdef";
    DigitPairs pairs{};
    for (int value = 0; value < 256; ++value) pairs[value] = {digits[value >> 4], digits[value & 15]};
    return pairs;
}

// The two lower-case digits of every byte value, for addresses.
inline constexpr DigitPairs addressDigitPairs = lowerDigitPairs();

// Writes the low hex digits of address, as many as digits (4 or 5), in lower
// case whatever case the bytes use.
inline void writeAddress(char* text, std::size_t digits, std::uint64_t address) {
    char* end = text + digits;
    std::memcpy(end - 2, addressDigitPairs[address & 0xFF].data(), 2);
    std::memcpy(end - 4, addressDigitPairs[(address >> 8) & 0xFF].data(), 2);
    if (digits > 4) *text = addressDigitPairs[(address >> 16) & 0xF][1];
}
