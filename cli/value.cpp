#include "cli/value.hpp"

#include <cctype>

namespace nuk::cli {

namespace {

// A check with n digits accepts the first n characters of this alphabet:
// 10 decimal, 2 binary, 22 hexadecimal in either case.
constexpr char digitAlphabet[] = "0123456789abcdefABCDEF";
constexpr std::size_t hexDigitCount = 22;

bool consistsOfDigits(const std::string& text, std::size_t digitCount) {
    const std::string allowed(digitAlphabet, digitCount < hexDigitCount ? digitCount : hexDigitCount);
    return text.find_first_not_of(allowed) == std::string::npos;
}

bool startsWith(const std::string& text, const char* prefix) { return text.rfind(prefix, 0) == 0; }

int digitValue(char digit) {
    if (digit >= '0' && digit <= '9') return digit - '0';
    if (digit >= 'a' && digit <= 'f') return digit - 'a' + 10;
    if (digit >= 'A' && digit <= 'F') return digit - 'A' + 10;
    return -1;
}

// Converts like strtol with a 32-bit long on every platform, so a value too
// large saturates at the same 2147483647 in the 32-bit and the 64-bit build.
// -1 when a character is not a digit of the base.
std::int64_t convertSaturating(const std::string& digits, int base) {
    constexpr std::int64_t largest = 2147483647;
    std::int64_t value = 0;
    for (char digit : digits) {
        const int digitAsNumber = digitValue(digit);
        if (digitAsNumber < 0 || digitAsNumber >= base) return -1;
        value = value * base + digitAsNumber;
        if (value > largest) value = largest;
    }
    return value;
}

// The digits and base of an integer text in one of the four notations.
struct Digits {
    std::string digits;
    int base = 10;
};

std::optional<Digits> digitsOf(const std::string& text) {
    if (!isInteger(text)) return std::nullopt;
    if (startsWith(text, "0x") && text.size() > 2) return Digits{text.substr(2), 16};
    if (text[0] == '$') return Digits{text.substr(1), 16};
    if (text[0] == '%') return Digits{text.substr(1), 2};
    return Digits{text, 10};
}

// Nothing once the value passes `largest`: these values are never cut to
// one that the user did not type.
std::optional<std::uint64_t> convertExactly(const Digits& number, std::uint64_t largest) {
    std::uint64_t value = 0;
    const auto base = static_cast<std::uint64_t>(number.base);
    for (char digit : number.digits) {
        const auto digitAsNumber = static_cast<std::uint64_t>(digitValue(digit));
        if (value > (largest - digitAsNumber) / base) return std::nullopt;
        value = value * base + digitAsNumber;
    }
    return value;
}

}  // namespace

bool isInteger(const std::string& text, int base) {
    if (text.empty()) return false;
    if (base != 0) {
        const std::size_t digitCount = base == 16 ? hexDigitCount : base < 0 ? 0 : static_cast<std::size_t>(base);
        return consistsOfDigits(text, digitCount);
    }
    if (text.size() > 2 && startsWith(text, "0x")) return consistsOfDigits(text.substr(2), hexDigitCount);
    if (text.size() >= 2 && text[0] == '$') return consistsOfDigits(text.substr(1), hexDigitCount);
    if (text.size() >= 2 && text[0] == '%') return consistsOfDigits(text.substr(1), 2);
    return consistsOfDigits(text, 10);
}

std::int64_t toInteger(const std::string& text) {
    if (consistsOfDigits(text, 10)) return convertSaturating(text, 10);
    if (text.size() < 2) return -1;
    if (text[0] == '$') {
        const std::string digits = text.substr(1);
        return consistsOfDigits(digits, hexDigitCount) ? convertSaturating(digits, 16) : -1;
    }
    if (text.size() == 2 || text[0] != '0') {
        const std::string digits = text.substr(1);
        return text[0] == '%' && consistsOfDigits(digits, 2) ? convertSaturating(digits, 2) : -1;
    }
    const std::string digits = text.substr(2);
    return text[1] == 'x' && consistsOfDigits(digits, hexDigitCount) ? convertSaturating(digits, 16) : -1;
}

bool isNegativeInteger(const std::string& text) { return text.size() > 1 && text[0] == '-' && isInteger(text.substr(1)); }

std::optional<SignedInteger> toSignedInteger(const std::string& text) {
    const bool negative = isNegativeInteger(text);
    const std::optional<Digits> number = digitsOf(negative ? text.substr(1) : text);
    if (!number) return std::nullopt;
    const std::optional<std::uint64_t> magnitude = convertExactly(*number, largestMagnitude);
    if (!magnitude) return std::nullopt;
    return SignedInteger{negative, *magnitude};
}

}  // namespace nuk::cli

namespace nuk {

void toUpper(std::string& text) {
    for (char& byte : text) byte = static_cast<char>(std::toupper(static_cast<unsigned char>(byte)));
}

void appendUtf8(std::string& text, std::uint32_t codePoint) {
    auto append = [&text](std::uint32_t byte) { text += static_cast<char>(byte); };
    if (codePoint < 0x80) {
        append(codePoint);
    } else if (codePoint < 0x800) {
        append(0xC0 + (codePoint >> 6));
        append(0x80 + (codePoint & 0x3F));
    } else if (codePoint < 0x10000) {
        append(0xE0 + (codePoint >> 12));
        append(0x80 + ((codePoint >> 6) & 0x3F));
        append(0x80 + (codePoint & 0x3F));
    } else if (codePoint <= 0x10FFFF) {
        append(0xF0 + (codePoint >> 18));
        append(0x80 + ((codePoint >> 12) & 0x3F));
        append(0x80 + ((codePoint >> 6) & 0x3F));
        append(0x80 + (codePoint & 0x3F));
    }
}

}  // namespace nuk
