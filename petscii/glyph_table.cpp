#include "app/glyph_table.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#include "app/petscii.hpp"

namespace {

GlyphTable buildTable(int textMode, bool lowercase) {
    GlyphTable table{};
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        const std::string text = petsciiCharacter(byte, lowercase, textMode);
        // No character is longer than three bytes; the table test compares
        // every entry with the translation, so a cut one would show there.
        const std::size_t length = std::min(text.size(), sizeof table[value].text);
        std::memcpy(table[value].text, text.data(), length);
        table[value].length = static_cast<std::uint8_t>(length);
    }
    return table;
}

// One table per text and character set, each built on first use.
template <int textMode, bool lowercase>
const GlyphTable& tableFor() {
    static const GlyphTable table = buildTable(textMode, lowercase);
    return table;
}

}  // namespace

const GlyphTable& glyphTable(int textMode, bool lowercase) {
    using namespace nuk::con;
    switch (textMode) {
    case unicode:
    case wideConsole:
        return lowercase ? tableFor<unicode, true>() : tableFor<unicode, false>();
    case codePage:
        return lowercase ? tableFor<codePage, true>() : tableFor<codePage, false>();
    default:
        return lowercase ? tableFor<ascii, true>() : tableFor<ascii, false>();
    }
}
