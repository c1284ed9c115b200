#include "app/dump_3_line.hpp"

#include <cstring>
#include <utility>

namespace {

// A field copy writes fieldStorage bytes and a glyph copy four, at most this
// many past the end of what they leave behind.
constexpr std::size_t copySlack = fieldStorage;

// The most bytes one character of the text column takes.
constexpr std::size_t longestGlyph = sizeof(Glyph::text);

const Notation& notationOf(HexStyle style) {
    switch (style) {
    case HexStyle::c: return cNotation;
    case HexStyle::turbo: return turboNotation;
    case HexStyle::plain: break;
    }
    return plainNotation;
}

char* copyText(char* at, const std::string& text) {
    std::memcpy(at, text.data(), text.size());
    return at + text.size();
}

}  // namespace

LineBuilder::LineBuilder(const LineFormat& format, std::size_t addressDigits, ColumnEscapes escapes)
    : width_(static_cast<std::size_t>(format.width)),
      addressDigits_(addressDigits),
      fields_(hexFields(notationOf(format.hexStyle), format.upperCaseHex)),
      glyphs_(glyphTable(format.characterSet, format.textMode)),
      escapes_(std::move(escapes)),
      withEscapes_(!escapes_.empty()),
      roomForLine_(escapes_.address.size() + escapes_.hex.size() + escapes_.text.size() + addressColumnLength() +
                   hexColumnLength() + longestGlyph * width_ + 1 + copySlack) {}

// The address, ": " and the escape of the hex column; the hex column starts
// where it ends.
inline char* LineBuilder::writeAddressColumn(char* at, std::uint64_t address) const {
    char* p = withEscapes_ ? copyText(at, escapes_.address) : at;
    writeAddress(p, addressDigits_, address);
    p += addressDigits_;
    *p++ = ':';
    *p++ = ' ';
    if (withEscapes_) p = copyText(p, escapes_.hex);
    return p;
}

char* LineBuilder::write(char* at, std::uint64_t address, const std::uint8_t* bytes, std::size_t present,
                         std::size_t n) const {
    char* p = writeAddressColumn(at, address);
    p = writeFields(p, bytes, present, n);
    if (n < width_) {
        const std::size_t blanked = (width_ - n) * fields_.length();
        std::memset(p, ' ', blanked);
        p += blanked;
    }
    *p++ = ' ';
    if (withEscapes_) p = copyText(p, escapes_.text);
    p = writeGlyphs(p, bytes, present, n);
    *p++ = '\n';
    return p;
}

char* LineBuilder::writeComplete(char* at, std::uint64_t address, const std::uint8_t* bytes,
                                 std::size_t count) const {
    for (std::size_t line = 0; line < count; ++line, address += width_, bytes += width_) {
        char* hex = writeAddressColumn(at, address);
        const char before = hex[-1];
        char* p = ::writeFields(hex - 1, fields_, bytes, width_);
        hex[-1] = before;
        *p++ = ' ';
        if (withEscapes_) p = copyText(p, escapes_.text);
        p = ::writeGlyphs(p, glyphs_, bytes, width_);
        *p++ = '\n';
        at = p;
    }
    return at;
}

// Every field is copied with the separator in front of it, the first one's
// landing on the character before the column, which is then put back: the
// first field of a line has no separator.
char* LineBuilder::writeFields(char* at, const std::uint8_t* bytes, std::size_t present, std::size_t n) const {
    const char before = at[-1];
    char* p = ::writeFields(at - 1, fields_, bytes, present);
    for (std::size_t col = present; col < n; ++col, p += fields_.length()) {
        std::memcpy(p, fields_.missing().data(), fieldStorage);
    }
    at[-1] = before;
    return p;
}

// A missing position shows the character of byte 0.
char* LineBuilder::writeGlyphs(char* at, const std::uint8_t* bytes, std::size_t present, std::size_t n) const {
    char* p = ::writeGlyphs(at, glyphs_, bytes, present);
    const Glyph& missing = glyphs_[0];
    for (std::size_t col = present; col < n; ++col) {
        std::memcpy(p, &missing, sizeof missing);
        p += missing.length;
    }
    return p;
}
