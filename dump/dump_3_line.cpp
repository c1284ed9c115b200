#include "dump/dump_3_line.hpp"

#include <cstring>
#include <utility>

namespace {

// A field copy writes fieldStorage bytes and a glyph copy four, at most this
// many past the end of what they leave behind; a view's field copy writes
// viewFieldStorage bytes.
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

const ViewFields* viewFieldsOf(const LineFormat& format) {
    return format.view == ByteView::hex ? nullptr : &viewFields(format.view, format.textMode);
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
      view_(viewFieldsOf(format)),
      glyphs_(glyphTable(format.characterSet, format.textMode)),
      escapes_(std::move(escapes)),
      withEscapes_(!escapes_.empty()),
      roomForLine_(escapes_.address.size() + escapes_.hex.size() + escapes_.text.size() + addressColumnLength() +
                   byteColumnRoom() + longestGlyph * width_ + 1) {}

std::size_t LineBuilder::byteColumnRoom() const {
    return view_ ? width_ * view_->longest() + viewFieldStorage : width_ * fields_.length() + copySlack;
}

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
                         std::size_t n, const char** textColumn) const {
    char* p = writeAddressColumn(at, address);
    p = view_ ? writeViewFields(p, bytes, present, n) : writeFields(p, bytes, present, n);
    if (n < width_) {
        const std::size_t blanked = (width_ - n) * (view_ ? view_->columns() : fields_.length());
        std::memset(p, ' ', blanked);
        p += blanked;
    }
    *p++ = ' ';
    if (textColumn) *textColumn = p;
    if (withEscapes_) p = copyText(p, escapes_.text);
    p = writeGlyphs(p, bytes, present, n);
    *p++ = '\n';
    return p;
}

char* LineBuilder::writeComplete(char* at, std::uint64_t address, const std::uint8_t* bytes,
                                 std::size_t count) const {
    if (view_) {
        for (std::size_t line = 0; line < count; ++line, address += width_, bytes += width_) {
            at = write(at, address, bytes, width_, width_);
        }
        return at;
    }
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

// As the hex fields, but each field has a length of its own (a cell of a
// picture may take several bytes), and a picture's fields have no separator.
char* LineBuilder::writeViewFields(char* at, const std::uint8_t* bytes, std::size_t present, std::size_t n) const {
    const char before = at[-1];
    char* p = at - view_->separatorLength();
    const auto copy = [&p](const ViewField& field) {
        std::memcpy(p, field.text.data(), viewFieldStorage);
        p += field.length;
    };
    for (std::size_t col = 0; col < present; ++col) copy(view_->of(bytes[col]));
    for (std::size_t col = present; col < n; ++col) copy(view_->missing());
    at[-1] = before;
    return p;
}
