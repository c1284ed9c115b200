#include "petscii/glyph_table.hpp"

#include <algorithm>
#include <cstring>
#include <string>

#include "petscii/petscii.hpp"

namespace {

GlyphTable buildTable(CharacterSet set, nuk::con::TextMode textMode) {
    GlyphTable table{};
    for (int value = 0; value < 256; ++value) {
        const auto byte = static_cast<std::uint8_t>(value);
        const std::string text = petsciiCharacter(byte, set, textMode);
        // No character is longer than three bytes; the table test compares
        // every entry with the translation, so a cut one would show there.
        const std::size_t length = std::min(text.size(), sizeof table[value].text);
        std::memcpy(table[value].text, text.data(), length);
        table[value].length = static_cast<std::uint8_t>(length);
    }
    return table;
}

// One table per text and character set, each built on first use.
template <CharacterSet set, nuk::con::TextMode textMode>
const GlyphTable& tableFor() {
    static const GlyphTable table = buildTable(set, textMode);
    return table;
}

}  // namespace

const GlyphTable& glyphTable(CharacterSet set, nuk::con::TextMode textMode) {
    using namespace nuk::con;
    const bool lowercase = set == CharacterSet::lowercase;
    constexpr CharacterSet lower = CharacterSet::lowercase;
    constexpr CharacterSet graphics = CharacterSet::graphics;
    switch (textMode) {
    case unicode:
    case wideConsole:
        return lowercase ? tableFor<lower, unicode>() : tableFor<graphics, unicode>();
    case codePage:
        return lowercase ? tableFor<lower, codePage>() : tableFor<graphics, codePage>();
    default:
        return lowercase ? tableFor<lower, ascii>() : tableFor<graphics, ascii>();
    }
}
