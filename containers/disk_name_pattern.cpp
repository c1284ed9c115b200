// Matching names in a disk directory against a typed pattern.

#include "containers/disk_name_pattern.hpp"

#include <algorithm>

namespace nuk::disk {

namespace {

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The byte of a "\xHH" escape at text[at], or -1 when there is none.
int escapedByte(const std::string& text, std::size_t at) {
    if (at + 3 >= text.size() || text[at] != '\\' || text[at + 1] != 'x') return -1;
    const int high = hexValue(text[at + 2]);
    const int low = hexValue(text[at + 3]);
    return high < 0 || low < 0 ? -1 : high * 16 + low;
}

constexpr std::uint8_t shifted = 0x80;  // $41-$5A shifted: $C1-$DA

}  // namespace

std::size_t nameLength(const DiskName& name) {
    return static_cast<std::size_t>(std::find(name.begin(), name.end(), namePadding) - name.begin());
}

NamePattern::NamePattern(const std::string& text) {
    for (std::size_t at = 0; at < text.size(); ++at) {
        const int escaped = escapedByte(text, at);
        if (escaped >= 0) {
            elements_.push_back({Kind::exactByte, static_cast<std::uint8_t>(escaped)});
            at += 3;
            continue;
        }
        const auto c = static_cast<std::uint8_t>(text[at]);
        if (c == '*') {
            elements_.push_back({Kind::restOfName, c});
            break;  // the drive ignores what follows
        }
        if (c == '?') {
            elements_.push_back({Kind::anyOne, c});
        } else if (c >= 'a' && c <= 'z') {
            elements_.push_back({Kind::letter, static_cast<std::uint8_t>(c - 'a' + 'A')});
        } else if (c >= 'A' && c <= 'Z') {
            elements_.push_back({Kind::letter, c});
        } else {
            elements_.push_back({Kind::exactByte, c});
        }
    }
}

bool NamePattern::matches(const DiskName& name) const {
    const std::size_t length = nameLength(name);
    std::size_t position = 0;
    for (const Element& element : elements_) {
        if (element.kind == Kind::restOfName) return true;
        if (position == length) return false;
        const std::uint8_t byte = name[position++];
        switch (element.kind) {
        case Kind::anyOne: break;
        case Kind::letter:
            if (byte != element.value && byte != (element.value | shifted)) return false;
            break;
        case Kind::exactByte:
            if (byte != element.value) return false;
            break;
        case Kind::restOfName: break;
        }
    }
    return position == length;
}

}  // namespace nuk::disk
