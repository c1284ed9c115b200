#include "reverse/dump_line.hpp"

#include <array>
#include <initializer_list>

#include "dump/hex_notations.hpp"

namespace undump {

namespace {

constexpr std::array<std::int8_t, 256> hexValues() {
    std::array<std::int8_t, 256> values{};
    for (auto& value : values) value = -1;
    for (int digit = 0; digit < 10; ++digit) values['0' + digit] = static_cast<std::int8_t>(digit);
    for (int digit = 0; digit < 6; ++digit) {
        values['a' + digit] = static_cast<std::int8_t>(10 + digit);
        values['A' + digit] = static_cast<std::int8_t>(10 + digit);
    }
    return values;
}

constexpr std::array<std::int8_t, 256> hexValue = hexValues();

int valueOf(char c) { return hexValue[static_cast<unsigned char>(c)]; }

// How the fields of a byte column are laid out: in one of the dump's hex
// notations, "00 00", "0x00,0x00" or "$00,$00", or as bits,
// "00000000 00000000". stride is the distance from one field's digits to the
// next.
struct FieldLayout {
    const char* prefix;
    std::size_t prefixLength;
    char separator;
    std::size_t stride;
    std::size_t digits;  // of a byte: two hexadecimal or eight binary ones
};

constexpr FieldLayout hexLayout(const Notation& notation) {
    return {notation.prefix, notation.prefixLength, notation.separator, notation.fieldLength(), 2};
}

constexpr FieldLayout plain = hexLayout(plainNotation);
constexpr FieldLayout cStyle = hexLayout(cNotation);
constexpr FieldLayout turbo = hexLayout(turboNotation);
constexpr FieldLayout bits{"", 0, ' ', 9, 8};

bool isBinaryDigit(char c) { return c == '0' || c == '1'; }

bool allOf(const char* at, std::size_t n, bool (*test)(char)) {
    for (std::size_t i = 0; i < n; ++i) {
        if (!test(at[i])) return false;
    }
    return true;
}

// A field's digits: a byte's, in either case, or as many "-" for a
// position past the end of the input.
bool isMissingField(const FieldLayout& layout, const char* at) {
    return allOf(at, layout.digits, [](char c) { return c == '-'; });
}
bool isByteField(const FieldLayout& layout, const char* at) {
    if (layout.digits == 8) return allOf(at, 8, isBinaryDigit);
    return (valueOf(at[0]) | valueOf(at[1])) >= 0;
}
bool isField(const FieldLayout& layout, const char* at) {
    return isByteField(layout, at) || isMissingField(layout, at);
}

int byteOf(const FieldLayout& layout, const char* at) {
    if (layout.digits == 2) return valueOf(at[0]) << 4 | valueOf(at[1]);
    int value = 0;
    for (std::size_t i = 0; i < 8; ++i) value = value << 1 | (at[i] - '0');
    return value;
}

char lowerCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The prefix is read in either case ("0X" as well as "0x").
bool hasPrefix(const FieldLayout& layout, const char* at) {
    for (std::size_t i = 0; i < layout.prefixLength; ++i) {
        if (lowerCase(at[i]) != layout.prefix[i]) return false;
    }
    return true;
}

// Eight binary digits (or "-") before a space are bits: no hex field is
// that long.
const FieldLayout& layoutAt(const char* at, const char* end) {
    for (const FieldLayout* prefixed : {&turbo, &cStyle}) {
        if (static_cast<std::size_t>(end - at) >= prefixed->prefixLength && hasPrefix(*prefixed, at)) return *prefixed;
    }
    if (end - at > 8 && at[8] == ' ' && isField(bits, at)) return bits;
    return plain;
}

// Characters of UTF-8 text (or of US-ASCII, where each byte is one): every
// byte but the continuation bytes starts one.
std::size_t characterCount(const char* begin, const char* end) {
    std::size_t count = 0;
    for (const char* p = begin; p < end; ++p) count += (static_cast<unsigned char>(*p) & 0xC0) != 0x80;
    return count;
}

bool allSpaces(const char* begin, std::size_t n) {
    for (std::size_t i = 0; i < n; ++i) {
        if (begin[i] != ' ') return false;
    }
    return true;
}

// What follows n fields is the blanking of a short line and one space, then
// the text column: one character for each of the n positions.
bool textFits(const char* rest, const char* end, std::size_t n) {
    const std::size_t characters = characterCount(rest, end);
    if (characters <= n) return false;
    const std::size_t spaces = characters - n;
    return static_cast<std::size_t>(end - rest) >= spaces && allSpaces(rest, spaces);
}

// The fields that a hex column starting at `column` can have. A field is
// followed by its separator: in the plain notation the last one too, by the
// space before the text column. `rest` is left where the fields end.
std::size_t countFields(const FieldLayout& layout, const char* column, const char* end, const char** rest) {
    const std::size_t fieldLength = layout.prefixLength + layout.digits;
    std::size_t count = 0;
    const char* at = column;
    if (layout.separator == ' ') {
        const std::size_t digits = layout.digits;
        while (static_cast<std::size_t>(end - at) > digits && isField(layout, at) && at[digits] == ' ') {
            ++count;
            at += layout.stride;
        }
        *rest = count > 0 ? at - 1 : column;
        return count;
    }
    while (static_cast<std::size_t>(end - at) >= fieldLength && hasPrefix(layout, at) &&
           isField(layout, at + layout.prefixLength)) {
        ++count;
        at += fieldLength;
        if (at == end || *at != ',') break;
        ++at;
    }
    *rest = at;
    // A separator must lead to a field.
    if (at > column && at[-1] == ',') return 0;
    return count;
}

// Where fields are separated by spaces the text column may itself look like
// more fields. Of all the counts of fields only one leaves a text column of
// as many characters, so it is found from the most fields that the line can
// hold: with fewer, the column is followed by one space and the further
// fields, all `stride` characters each.
std::size_t spacedFields(const FieldLayout& layout, std::size_t most, const char* rest, const char* end) {
    if (textFits(rest, end, most)) return most;
    const std::size_t characters = characterCount(rest, end) + layout.stride * most;
    if (characters % (layout.stride + 1) != 1) return 0;
    const std::size_t fields = characters / (layout.stride + 1);
    return fields < most ? fields : 0;
}

// The fields of the hex column; 0 when it is not one.
std::size_t fieldsOf(const FieldLayout& layout, const char* column, const char* end) {
    const char* rest = column;
    const std::size_t most = countFields(layout, column, end, &rest);
    if (most == 0) return 0;
    if (layout.separator == ' ') return spacedFields(layout, most, rest, end);
    return textFits(rest, end, most) ? most : 0;
}

// The bytes of n fields; how many come before the first "--", or n + 1
// when a byte follows a "--" (the end of the input cannot be followed by
// more of it).
std::size_t decodeFields(const FieldLayout& layout, const char* column, std::size_t n, std::uint8_t* bytes) {
    const char* digits = column + layout.prefixLength;
    std::size_t present = 0;
    while (present < n && !isMissingField(layout, digits)) {
        bytes[present++] = static_cast<std::uint8_t>(byteOf(layout, digits));
        digits += layout.stride;
    }
    for (std::size_t i = present; i < n; ++i, digits += layout.stride) {
        if (!isMissingField(layout, digits)) return n + 1;
    }
    return present;
}

std::size_t hexDigitsAt(const char* begin, const char* end) {
    const char* p = begin;
    while (p < end && valueOf(*p) >= 0) ++p;
    return static_cast<std::size_t>(p - begin);
}

bool isAddressEnd(const char* at, const char* end) { return end - at >= 2 && at[0] == ':' && at[1] == ' '; }

// The cells a picture of the bits is drawn in: in US-ASCII, code page 437
// and UTF-8 (the full block and the three shading blocks).
std::size_t cellAt(const char* at, const char* end) {
    const auto c = static_cast<unsigned char>(*at);
    if (c == ' ' || c == '.' || c == '#' || c == '+' || c == '-' || c == 0xDB || (c >= 0xB0 && c <= 0xB2)) return 1;
    const bool block = end - at >= 3 && c == 0xE2 && static_cast<unsigned char>(at[1]) == 0x96;
    const auto last = block ? static_cast<unsigned char>(at[2]) : 0;
    return block && (last == 0x88 || (last >= 0x91 && last <= 0x93)) ? 3 : 0;
}

// A byte takes eight cells, so a picture's line has eight at least.
bool isPicture(const char* column, const char* end) {
    std::size_t cells = 0;
    for (const char* at = column; at < end && cells < 8; ++cells) {
        const std::size_t length = cellAt(at, end);
        if (length == 0) return false;
        at += length;
    }
    return cells == 8;
}

// Control characters (but the tab) in a line are no name anyone types; they
// are what binary data taken for a dump is full of.
bool holdsControlCharacters(const char* begin, const char* end) {
    for (const char* p = begin; p < end; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if ((c < ' ' && c != '\t') || c == 0x7F) return true;
    }
    return false;
}

bool isDecimalDigit(char c) { return c >= '0' && c <= '9'; }

// A path line that ends in ":@T/S", in decimal, as -v writes before each
// sector of a disk.
bool namesSector(const char* begin, const char* end) {
    const char* p = end;
    const auto digitsBefore = [&p, begin]() {
        const char* last = p;
        while (p > begin && isDecimalDigit(p[-1])) --p;
        return p < last;
    };
    if (!digitsBefore() || p == begin || *--p != '/' || !digitsBefore()) return false;
    return p - begin >= 2 && p[-1] == '@' && p[-2] == ':';
}

// A line that is not one of bytes, "*" or empty names an input, unless it
// looks like a line of bytes gone wrong: it starts like one, or what follows
// its first ": " is a hex column, or it holds control characters.
LineKind otherKind(const char* begin, const char* end) {
    const std::size_t digits = hexDigitsAt(begin, end);
    if (digits > 0 && isAddressEnd(begin + digits, end)) return LineKind::broken;
    if (holdsControlCharacters(begin, end)) return LineKind::broken;
    for (const char* p = begin; end - p >= 2; ++p) {
        if (!isAddressEnd(p, end)) continue;
        const char* column = p + 2;
        return fieldsOf(layoutAt(column, end), column, end) > 0 ? LineKind::broken : LineKind::path;
    }
    return namesSector(begin, end) ? LineKind::place : LineKind::path;
}

}  // namespace

DumpLine readDumpLine(const char* begin, const char* end, std::uint8_t* bytes) {
    DumpLine line;
    if (begin == end) {
        line.kind = LineKind::empty;
        return line;
    }
    if (end - begin == 1 && *begin == '*') {
        line.kind = LineKind::squeeze;
        return line;
    }
    const std::size_t digits = hexDigitsAt(begin, end);
    if ((digits != 4 && digits != 5) || !isAddressEnd(begin + digits, end)) {
        line.kind = otherKind(begin, end);
        return line;
    }
    const char* column = begin + digits + 2;
    const FieldLayout& layout = layoutAt(column, end);
    const std::size_t fields = fieldsOf(layout, column, end);
    if (fields == 0) {
        if (isPicture(column, end)) line.kind = LineKind::picture;
        return line;
    }
    const std::size_t present = decodeFields(layout, column, fields, bytes);
    if (present > fields) return line;
    for (std::size_t i = 0; i < digits; ++i) line.address = line.address << 4 | static_cast<unsigned>(valueOf(begin[i]));
    line.kind = LineKind::bytes;
    line.digits = static_cast<unsigned>(digits);
    line.positions = fields;
    line.present = present;
    return line;
}

}  // namespace undump
