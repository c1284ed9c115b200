#include "dump/view_fields.hpp"

#include <cstring>
#include <string>

namespace {

using nuk::con::TextMode;

// What a picture draws for a bit, or in multicolour for a bit pair (in
// order 00, 01, 10, 11), in each kind of text: a set bit a full block,
// the pairs in the shading blocks; US-ASCII has no blocks.
struct Cells {
    const char* pixel[2];
    const char* pair[4];
};

constexpr Cells unicodeCells{{" ", "\u2588"}, {" ", "\u2591", "\u2592", "\u2593"}};
constexpr Cells codePageCells{{" ", "\xDB"}, {" ", "\xB0", "\xB1", "\xB2"}};
constexpr Cells asciiCells{{".", "#"}, {" ", ".", "+", "#"}};

const Cells& cellsFor(TextMode textMode) {
    switch (textMode) {
    case nuk::con::unicode:
    case nuk::con::wideConsole: return unicodeCells;
    case nuk::con::codePage: return codePageCells;
    default: return asciiCells;
    }
}

// The most significant bit is the leftmost digit or cell, as on the screen.
std::string textOf(ByteView view, const Cells& cells, unsigned byte) {
    std::string text;
    switch (view) {
    case ByteView::bits:
        text = " ";
        for (int bit = 7; bit >= 0; --bit) text += (byte >> bit & 1) ? '1' : '0';
        break;
    case ByteView::pixels:
        for (int bit = 7; bit >= 0; --bit) text += cells.pixel[byte >> bit & 1];
        break;
    case ByteView::multicolourPixels:
        for (int pair = 3; pair >= 0; --pair) {
            const char* cell = cells.pair[byte >> (2 * pair) & 3];
            text += cell;
            text += cell;
        }
        break;
    case ByteView::hex: break;
    }
    return text;
}

ViewField fieldOf(const std::string& text) {
    ViewField field;
    field.text.fill(' ');
    std::memcpy(field.text.data(), text.data(), text.size());
    field.length = text.size();
    return field;
}

}  // namespace

ViewFields::ViewFields(ByteView view, TextMode textMode)
    : separatorLength_(view == ByteView::bits ? 1 : 0), columns_(separatorLength_ + 8) {
    const Cells& cells = cellsFor(textMode);
    for (unsigned byte = 0; byte < 256; ++byte) {
        fields_[byte] = fieldOf(textOf(view, cells, byte));
        if (fields_[byte].length > longest_) longest_ = fields_[byte].length;
    }
    missing_ = fieldOf(std::string(separatorLength_, ' ') + "--------");
}

namespace {

template <ByteView view, TextMode textMode>
const ViewFields& fieldsFor() {
    static const ViewFields fields(view, textMode);
    return fields;
}

template <ByteView view>
const ViewFields& fieldsIn(TextMode textMode) {
    switch (textMode) {
    case nuk::con::unicode:
    case nuk::con::wideConsole: return fieldsFor<view, nuk::con::unicode>();
    case nuk::con::codePage: return fieldsFor<view, nuk::con::codePage>();
    default: return fieldsFor<view, nuk::con::ascii>();
    }
}

}  // namespace

// Binary digits are the same in every text mode.
const ViewFields& viewFields(ByteView view, TextMode textMode) {
    switch (view) {
    case ByteView::pixels: return fieldsIn<ByteView::pixels>(textMode);
    case ByteView::multicolourPixels: return fieldsIn<ByteView::multicolourPixels>(textMode);
    default: return fieldsFor<ByteView::bits, nuk::con::ascii>();
    }
}
