#pragma once
// A file name typed on the command line, matched against the names in a disk
// directory the way the drive matches them.
//
// The text is UTF-8 as the command line gives it. An ASCII letter, in either
// case, matches the PETSCII upper-case letter ($41-$5A) and the shifted one
// ($C1-$DA); every other character matches its own byte. "\xHH" (two hex
// digits) stands for the byte HH and matches exactly that byte: it names
// PETSCII bytes that have no ASCII character, and a literal "*", "?" or "\".
// "?" matches any one character of the name; "*" matches the rest of the
// name, whatever follows it in the pattern (as on the drive). A name ends at
// its first $A0 (the padding); the bytes after it are not part of it.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace nuk::disk {

using DiskName = std::array<std::uint8_t, 16>;  // as the directory holds it, padded with $A0

constexpr std::uint8_t namePadding = 0xA0;

class NamePattern {
public:
    explicit NamePattern(const std::string& text);
    bool matches(const DiskName& name) const;

private:
    enum class Kind { exactByte, letter, anyOne, restOfName };
    struct Element {
        Kind kind;
        std::uint8_t value;  // the byte, or the upper-case letter
    };
    std::vector<Element> elements_;
};

// The length of a name: the bytes before its first $A0.
std::size_t nameLength(const DiskName& name);

}  // namespace nuk::disk
