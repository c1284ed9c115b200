// The text column of any bytes, in every text mode and both character sets:
// one character per byte, each the same wherever the byte stands, valid UTF-8
// in the Unicode modes, and never a control character that a terminal would
// act on (a hostile file must not move the cursor or start an escape).

#include <string>
#include <vector>

#include "petscii/petscii.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

// Decodes one strict UTF-8 sequence at text[at]; returns its length, 0 when
// the bytes are not valid UTF-8 (overlong forms and surrogates included).
std::size_t decodeUtf8(const std::string& text, std::size_t at, std::uint32_t& codePoint) {
    const auto byte = [&](std::size_t i) { return static_cast<std::uint8_t>(text[at + i]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    std::uint32_t minimum = 0;
    if (lead < 0x80) return codePoint = lead, 1;
    if ((lead & 0xE0) == 0xC0) length = 2, codePoint = lead & 0x1F, minimum = 0x80;
    else if ((lead & 0xF0) == 0xE0) length = 3, codePoint = lead & 0x0F, minimum = 0x800;
    else if ((lead & 0xF8) == 0xF0) length = 4, codePoint = lead & 0x07, minimum = 0x10000;
    else return 0;
    if (at + length > text.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        if ((byte(i) & 0xC0) != 0x80) return 0;
        codePoint = codePoint << 6 | (byte(i) & 0x3F);
    }
    if (codePoint < minimum || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return 0;
    return length;
}

bool isControl(std::uint32_t codePoint) { return codePoint < 0x20 || (codePoint >= 0x7F && codePoint < 0xA0); }

// Code page 437 draws glyphs for most low bytes, but a console still acts on these.
bool isConsoleControl(std::uint32_t byte) {
    return byte == 0x00 || byte == 0x07 || byte == 0x08 || byte == 0x09 || byte == 0x0A || byte == 0x0D || byte == 0x1B;
}

// The characters of a Unicode-mode text, or a failure naming the bad spot.
std::vector<std::uint32_t> codePoints(const std::string& text, const std::string& context) {
    std::vector<std::uint32_t> result;
    for (std::size_t at = 0; at < text.size();) {
        std::uint32_t codePoint = 0;
        const std::size_t length = decodeUtf8(text, at, codePoint);
        fuzz::check(length != 0, "Unicode text is valid UTF-8", context + " at byte " + std::to_string(at));
        result.push_back(codePoint);
        at += length;
    }
    return result;
}

// The characters of a single-byte text.
std::vector<std::uint32_t> singleBytes(const std::string& text) {
    std::vector<std::uint32_t> result;
    for (unsigned char c : text) result.push_back(c);
    return result;
}

std::vector<std::uint32_t> characters(const std::string& text, int mode, const std::string& context) {
    const bool unicode = mode == nuk::con::unicode || mode == nuk::con::wideConsole;
    return unicode ? codePoints(text, context) : singleBytes(text);
}

void checkMode(const std::uint8_t* bytes, std::size_t n, CharacterSet set, nuk::con::TextMode mode) {
    const std::string context =
        "mode " + std::to_string(mode) + (set == CharacterSet::lowercase ? " lower/upper" : " upper/graphics");
    const std::vector<std::uint32_t> whole = characters(petsciiText(bytes, n, set, mode), mode, context);
    fuzz::check(whole.size() == n, "one character per byte", context + ": " + std::to_string(n) + " bytes gave " +
                                                                  std::to_string(whole.size()) + " characters");
    for (std::size_t i = 0; i < n; ++i) {
        const std::string byteContext = context + ", byte " + std::to_string(bytes[i]);
        const std::vector<std::uint32_t> alone = characters(petsciiText(bytes + i, 1, set, mode), mode, byteContext);
        fuzz::check(alone.size() == 1 && alone[0] == whole[i], "a byte shows the same wherever it stands", byteContext);
        const bool control = mode == nuk::con::codePage ? isConsoleControl(whole[i]) : isControl(whole[i]);
        fuzz::check(!control, "no control characters in the text column", byteContext);
        if (mode == nuk::con::ascii || mode == nuk::con::none) {
            fuzz::check(whole[i] < 0x7F, "US-ASCII text is ASCII", byteContext);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Every byte value fits in 256 bytes; longer inputs only cost time.
    size = size < 256 ? size : 256;
    const nuk::con::TextMode modes[] = {nuk::con::none, nuk::con::unicode, nuk::con::ascii, nuk::con::codePage, nuk::con::wideConsole};
    for (nuk::con::TextMode mode : modes) {
        checkMode(data, size, CharacterSet::graphics, mode);
        checkMode(data, size, CharacterSet::lowercase, mode);
    }
    return 0;
}
