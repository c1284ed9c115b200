// Text that holds unpaired surrogates: carried, measured, never converted.

#include <cstdint>

#include "cli/utf16.hpp"
#include "cli/value.hpp"

namespace nuk {

namespace {

bool isHighSurrogate(std::uint32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool isLowSurrogate(std::uint32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

// The three bytes that UTF-8's pattern gives a surrogate code point.
void appendSurrogatePattern(std::string& text, std::uint32_t unit) {
    text += static_cast<char>(0xE0 | (unit >> 12));
    text += static_cast<char>(0x80 | ((unit >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (unit & 0x3F));
}

// Length of the UTF-8 sequence at text[at], or 0 when it is not valid UTF-8
// (truncated, overlong, a surrogate or past U+10FFFF).
std::size_t sequenceLength(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
    const std::uint8_t lead = byte(0);
    if (lead < 0x80) return 1;
    std::size_t length = 0;
    std::uint32_t codePoint = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        codePoint = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        codePoint = lead & 0x0F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        codePoint = lead & 0x07;
    } else {
        return 0;
    }
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        codePoint = (codePoint << 6) | (byte(i) & 0x3F);
    }
    const std::uint32_t smallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < smallest[length] || codePoint > 0x10FFFF) return 0;
    if (isHighSurrogate(codePoint) || isLowSurrogate(codePoint)) return 0;
    return length;
}

}  // namespace

std::string toUtf8KeepingSurrogates(const wchar_t* utf16) {
    std::string utf8;
    if (utf16 == nullptr) return utf8;
    for (const wchar_t* unit = utf16; *unit != 0; ++unit) {
        const auto first = static_cast<std::uint32_t>(*unit);
        const auto next = static_cast<std::uint32_t>(unit[1]);
        if (isHighSurrogate(first) && isLowSurrogate(next)) {
            appendUtf8(utf8, 0x10000 + ((first - 0xD800) << 10) + (next - 0xDC00));
            ++unit;
        } else if (isHighSurrogate(first) || isLowSurrogate(first)) {
            appendSurrogatePattern(utf8, first);
        } else {
            appendUtf8(utf8, first);
        }
    }
    return utf8;
}

std::size_t convertibleUtf8Length(const std::string& utf8) {
    std::size_t at = 0;
    while (at < utf8.size()) {
        const std::size_t length = sequenceLength(utf8, at);
        if (length == 0) break;
        at += length;
    }
    return at;
}

std::size_t convertibleUtf16Length(const std::wstring& utf16) {
    std::size_t at = 0;
    while (at < utf16.size()) {
        const auto unit = static_cast<std::uint32_t>(utf16[at]);
        if (isLowSurrogate(unit)) break;
        if (isHighSurrogate(unit)) {
            if (at + 1 == utf16.size() || !isLowSurrogate(static_cast<std::uint32_t>(utf16[at + 1]))) break;
            ++at;
        }
        ++at;
    }
    return at;
}

}  // namespace nuk
