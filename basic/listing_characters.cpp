// The text of each byte in a listing, and the byte of each text read back.

#include "basic/listing_characters.hpp"

#include <cctype>

namespace basic {

namespace {

// clang-format off

// The names of the control codes, as the keys that type them are labelled
// ("" where a code has no key; it shows as {$xx}).
constexpr std::array<std::array<std::string_view, 16>, 4> controlNames = {{
/* $00 */ {"",     "",     "",     "",     "",     "wht",  "",     "",     "",     "",     "",     "",     "",     "return","lower","" },
/* $10 */ {"",     "down", "rvon", "home", "del",  "",     "",     "",     "",     "",     "",     "",     "red",  "right","grn",  "blu"},
/* $80 */ {"",     "orng", "",     "",     "",     "f1",   "f3",   "f5",   "f7",   "f2",   "f4",   "f6",   "f8",   "sret", "upper",""},
/* $90 */ {"blk",  "up",   "rvof", "clr",  "inst", "brn",  "lred", "gry1", "gry2", "lgrn", "lblu", "gry3", "pur",  "left", "yel",  "cyn"},
}};

// clang-format on

// The printable characters that US-ASCII does not have.
struct Named {
    std::uint8_t byte;
    std::string_view name;
};
constexpr std::array<Named, 4> printableNames = {{{0x5C, "pound"}, {0x5E, "uparrow"}, {0x5F, "leftarrow"}, {0xFF, "pi"}}};

bool isControlCode(std::uint8_t byte) { return byte < 0x20 || (byte >= 0x80 && byte < 0xA0); }

std::string_view nameOf(std::uint8_t byte) {
    if (byte < 0x20) return controlNames[byte >> 4][byte & 15];
    if (byte >= 0x80 && byte < 0xA0) return controlNames[2 + ((byte - 0x80) >> 4)][byte & 15];
    for (const Named& named : printableNames) {
        if (named.byte == byte) return named.name;
    }
    return {};
}

// Two bytes that put the same screen code on the screen look alike; the
// screen editor reads a screen code back as the one of them that keeps its
// character here: $C0-$DF, $A0-$BF and pi $FF.
bool looksLikeAnother(std::uint8_t byte) { return (byte >= 0x60 && byte < 0x80) || byte == 0xDE || (byte >= 0xE0 && byte < 0xFF); }

bool isUnicodeMode(nuk::con::TextMode mode) { return mode == nuk::con::unicode || mode == nuk::con::wideConsole; }

// Letters of the lower/upper-case set: $41-$5A lower case, $C1-$DA upper case.
bool isShiftedLetter(std::uint8_t byte) { return byte >= 0xC1 && byte <= 0xDA; }

std::string asciiText(std::uint8_t byte, CharacterSet set) {
    if (set == CharacterSet::lowercase && isShiftedLetter(byte)) return std::string(1, static_cast<char>(byte - 0x80));
    const char character = petsciiToAscii(byte, set);
    // The shifted space would read back as a space.
    if (character == '`' || byte == 0xA0) return mnemonic(byte);
    return std::string(1, character);
}

bool equalIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
    }
    return true;
}

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

std::string hexMnemonic(std::uint8_t byte) {
    static const char* const digits = "0123456789abcdef";
    return std::string("{$") + digits[byte >> 4] + digits[byte & 15] + "}";
}

std::string mnemonic(std::uint8_t byte) {
    const std::string_view name = nameOf(byte);
    return name.empty() ? hexMnemonic(byte) : "{" + std::string(name) + "}";
}

ListingCharacters::ListingCharacters(CharacterSet set, nuk::con::TextMode textMode) {
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        if (looksLikeAnother(byte))
            texts_[byte] = hexMnemonic(byte);
        else if (isUnicodeMode(textMode))
            texts_[byte] = petsciiCharacter(byte, set, nuk::con::unicode);
        else if (isControlCode(byte))
            texts_[byte] = mnemonic(byte);
        else
            texts_[byte] = asciiText(byte, set);
    }
}

CharacterReader::CharacterReader(CharacterSet set) : set_(set) {
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        if (!looksLikeAnother(byte)) bytes_.emplace(petsciiCharacter(byte, set, nuk::con::unicode), byte);
    }
}

std::optional<ReadCharacter> CharacterReader::read(const char*& at, const char* end) const {
    if (at == end) return std::nullopt;
    if (*at == '{') return readMnemonic(at, end);
    const auto first = static_cast<unsigned char>(*at);
    // A text editor's lower-case letters are the machine's letters in the
    // upper-case/graphics set, which shows no lower case of its own.
    if (set_ == CharacterSet::graphics && first >= 'a' && first <= 'z') {
        ++at;
        return ReadCharacter{static_cast<std::uint8_t>(first - 0x20), false};
    }
    if (set_ == CharacterSet::lowercase && first >= 'A' && first <= 'Z') {
        ++at;
        return ReadCharacter{static_cast<std::uint8_t>(first + 0x80), false};
    }
    const std::size_t length = first < 0x80 ? 1 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 0;
    if (length == 0 || static_cast<std::size_t>(end - at) < length) return std::nullopt;
    const auto found = bytes_.find(std::string_view(at, length));
    if (found == bytes_.end()) return std::nullopt;
    at += length;
    return ReadCharacter{found->second, false};
}

std::optional<ReadCharacter> CharacterReader::readMnemonic(const char*& at, const char* end) const {
    const char* close = at + 1;
    while (close < end && *close != '}' && *close != '{') ++close;
    if (close == end || *close != '}') return std::nullopt;
    const std::string_view name(at + 1, static_cast<std::size_t>(close - at - 1));
    std::optional<ReadCharacter> found;
    if (name.size() == 3 && name[0] == '$' && hexValue(name[1]) >= 0 && hexValue(name[2]) >= 0) {
        found = ReadCharacter{static_cast<std::uint8_t>(hexValue(name[1]) * 16 + hexValue(name[2])), true};
    } else {
        for (int value = 0; value < 256 && !found; ++value) {
            const std::string_view named = nameOf(static_cast<std::uint8_t>(value));
            if (!named.empty() && equalIgnoringCase(named, name)) found = ReadCharacter{static_cast<std::uint8_t>(value), false};
        }
    }
    if (found) at = close + 1;
    return found;
}

}  // namespace basic
