// dumpBytes with random data, count, width, start address and first index,
// in every notation: it must never read outside the data (the sanitizers
// watch the vector, which is exactly as long as the data), and the lines must
// keep the layout: ceil(count / width) lines, every one with the same address
// width and the same hex column length, each field showing its byte or "--",
// and one text character per position.

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

#include "dump/dump.hpp"
#include "fuzz/fuzz_support.hpp"

namespace {

struct Layout {
    std::size_t fieldLength;  // of every field after the first, separator included
    std::size_t digitOffset;  // of the first field's digits
};

std::vector<std::string> linesOf(const std::string& output) {
    std::vector<std::string> lines;
    std::size_t begin = 0;
    for (std::size_t end; (end = output.find('\n', begin)) != std::string::npos; begin = end + 1) {
        lines.push_back(output.substr(begin, end - begin));
    }
    fuzz::check(begin == output.size(), "the dump ends with a complete line");
    return lines;
}

std::size_t utf8Characters(const std::string& text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) { return (c & 0xC0) != 0x80; }));
}

std::string hexDigits(std::uint64_t value, std::size_t digits, bool upper) {
    const char* alphabet = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text(digits, '0');
    for (std::size_t d = digits; d-- > 0; value >>= 4) text[d] = alphabet[value & 15];
    return text;
}

struct Case {
    std::vector<std::uint8_t> data;
    std::uint64_t count, width, start, first;
    bool upper, unicode;
    Layout layout;
};

void checkLine(const Case& c, const std::string& line, std::uint64_t lineStart, std::size_t addressWidth) {
    const std::uint64_t n = std::min<std::uint64_t>(c.width, c.count - lineStart);
    const std::size_t hexLength = c.layout.fieldLength * c.width;
    const std::string where = "line at position " + std::to_string(lineStart) + ": '" + fuzz::shown(line) + "'";
    fuzz::check(line.size() >= addressWidth + 2 + hexLength, "a line holds address and hex column", where);
    fuzz::check(line.compare(0, addressWidth, hexDigits(c.start + lineStart, addressWidth, false)) == 0,
                "the address is start plus position, in its low digits", where);
    fuzz::check(line.compare(addressWidth, 2, ": ") == 0, "': ' follows the address", where);
    const std::string hex = line.substr(addressWidth + 2, hexLength);
    for (std::uint64_t col = 0; col < n; ++col) {
        const std::uint64_t index = c.first + lineStart + col;
        const bool present = index >= c.first && index < c.data.size();  // no wrap-around, inside the data
        const std::string expected = present ? hexDigits(c.data[index], 2, c.upper) : "--";
        const std::size_t pos = c.layout.digitOffset + col * c.layout.fieldLength;
        fuzz::check(hex.compare(pos, 2, expected) == 0, "each field shows its byte or '--'", where);
    }
    const std::size_t end = (n - 1) * c.layout.fieldLength + c.layout.digitOffset + 2;
    fuzz::check(hex.back() == ' ', "the hex column ends with a space", where);
    if (n < c.width) {
        fuzz::check(hex.find_first_not_of(' ', end) == std::string::npos, "a short line is blank after its last field",
                    where);
    }
    const std::string text = line.substr(addressWidth + 2 + hexLength);
    const std::size_t characters = c.unicode ? utf8Characters(text) : text.size();
    fuzz::check(characters == n, "one text character per position", where);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    fuzz::ByteReader input(bytes, size);
    const std::uint8_t flags = input.byte();
    Case c;
    LineFormat format;
    // Turbo wins when both notations are asked for, as on the command line.
    format.hexStyle = flags & 1 ? HexStyle::turbo : flags & 2 ? HexStyle::c : HexStyle::plain;
    format.upperCaseHex = flags & 4;
    format.characterSet = characterSet(flags & 8);
    c.upper = flags & 4;
    c.unicode = flags & 16;
    format.textMode = c.unicode ? nuk::con::unicode : nuk::con::ascii;
    c.layout = format.hexStyle == HexStyle::turbo ? Layout{4, 1} : format.hexStyle == HexStyle::c ? Layout{5, 2} : Layout{3, 0};

    c.width = input.inRange(1, 300, 2);
    c.count = input.inRange(0, 4096, 2);
    c.start = flags & 32 ? input.number(8) : input.number(2);
    const std::uint64_t firstChoice = flags & 64 ? input.number(8) : input.number(2);
    c.data.assign(input.rest(), input.rest() + std::min<std::size_t>(input.restSize(), 8192));
    c.first = flags & 64 ? firstChoice : firstChoice % (c.data.size() + 64);

    format.width = c.width;
    std::ostringstream out;
    dumpBytes(c.data, c.count, c.start, c.first, format, out);
    const std::vector<std::string> lines = linesOf(out.str());

    const std::uint64_t expectedLines = (c.count + c.width - 1) / c.width;
    fuzz::check(lines.size() == expectedLines, "ceil(count / width) lines",
                std::to_string(lines.size()) + " lines for count " + std::to_string(c.count) + ", width " +
                    std::to_string(c.width));
    if (lines.empty()) return 0;
    const std::size_t addressWidth = lines[0].find(": ");
    const std::uint64_t limit = 0xFFFF;
    const bool short4 = c.start <= limit && c.count <= limit && c.first <= limit && c.start + c.count + c.first <= limit;
    fuzz::check(addressWidth == (short4 ? 4u : 5u), "four address digits exactly while start + count + first <= $FFFF",
                fuzz::shown(lines[0]));
    for (std::size_t j = 0; j < lines.size(); ++j) checkLine(c, lines[j], j * c.width, addressWidth);
    return 0;
}
