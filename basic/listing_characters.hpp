#pragma once
// The characters of a listing, both ways. A byte of a line's text is shown
// through the text column's PETSCII translation; where that would not read
// back as the same byte, it is written as a name in braces:
//   - control codes: the reverse glyph in Unicode, a name such as {clr} in
//     the other text modes ({$xx} where the code has no name);
//   - a byte that looks the same as another on the machine's screen ($60-$7F
//     like $C0-$DF, $E0-$FE like $A0-$BE, $DE like pi $FF): {$xx}, while
//     the other, the one the screen editor reads back, keeps the character;
//   - in US-ASCII and code page modes, a character that has no ASCII form:
//     {pound}, {uparrow}, {leftarrow}, {pi}, or {$xx}.
// {$xx} stands for byte $xx exactly, so it also shows a token that has no
// keyword.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "console/text_mode.hpp"
#include "petscii/petscii.hpp"

namespace basic {

// The name of a byte in braces, "{$xx}" when it has no name of its own.
std::string mnemonic(std::uint8_t byte);
std::string hexMnemonic(std::uint8_t byte);

// The text of every byte in a text mode and character set.
class ListingCharacters {
public:
    ListingCharacters(CharacterSet set, nuk::con::TextMode textMode);
    const std::string& of(std::uint8_t byte) const { return texts_[byte]; }

private:
    std::array<std::string, 256> texts_;
};

// One character of a listing read back: its byte, and whether it was
// written as {$xx} (a byte that must stay as it is, never part of a keyword).
struct ReadCharacter {
    std::uint8_t byte = 0;
    bool exact = false;
};

// Reads the character at `at` (advancing it) of a listing written in the
// character set, in any text mode; nothing when no character of the machine
// is written there, with `at` left on it.
class CharacterReader {
public:
    explicit CharacterReader(CharacterSet set);
    std::optional<ReadCharacter> read(const char*& at, const char* end) const;

private:
    std::optional<ReadCharacter> readMnemonic(const char*& at, const char* end) const;
    CharacterSet set_;
    std::map<std::string, std::uint8_t, std::less<>> bytes_;  // by the Unicode text of those that read back as themselves
};

}  // namespace basic
