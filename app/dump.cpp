// The dump: each line holds an address, a hex column of byte values and a
// text column of PETSCII characters.
//
// The hex column is built once per call as a template and only its digit
// characters are overwritten from line to line. Without colour, whole blocks
// of lines are assembled in memory and written at once; with colour, each
// column of a line is preceded by its colour effect.

#include "app/dump.hpp"

#include <algorithm>
#include <array>
#include <iostream>
#include <limits>
#include <string>
#include <vector>

#include "app/options.hpp"
#include "app/petscii.hpp"
#include "cli/value.hpp"
#include "console/console.hpp"
#include "console/console_string.hpp"

namespace {

using nuk::cli::Option;

constexpr int addressColour = 9;
constexpr int hexColour = 15;
constexpr int textColour = 11;

// Lines collected before a block is written out when there is no colour.
constexpr std::size_t blockSize = 64 * 1024;

// One of the three ways to write a byte: "00", "0x00" or "$00", with the
// separator in front of every field but the first.
struct Notation {
    const char* firstField;
    const char* furtherField;
    std::size_t fieldLength;  // of a further field, separator included
    std::size_t digitOffset;  // where the digits of the first field start
};

const Notation plainNotation{"00", " 00", 3, 0};
const Notation cNotation{"0x00", ",0x00", 5, 2};
const Notation turboNotation{"$00", ",$00", 4, 1};

// Turbo wins silently when both forms are asked for.
const Notation& chosenNotation() {
    if (turbo.given()) return turboNotation;
    if (hex0x.given()) return cNotation;
    return plainNotation;
}

// The whole hex column with every digit at "00": the first field, the
// further fields and one trailing space.
std::string hexTemplate(const Notation& notation, std::size_t width) {
    std::string line = notation.firstField;
    line.reserve(notation.fieldLength * width);
    for (std::size_t k = 1; k < width; ++k) line += notation.furtherField;
    line += ' ';
    return line;
}

// The two digit characters of every byte value, looked up rather than computed.
using DigitPairs = std::array<std::array<char, 2>, 256>;

DigitPairs digitPairs(bool upperCase) {
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    DigitPairs pairs{};
    for (int value = 0; value < 256; ++value) pairs[value] = {digits[value >> 4], digits[value & 15]};
    return pairs;
}

std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b) {
    return a > std::numeric_limits<std::uint64_t>::max() - b ? std::numeric_limits<std::uint64_t>::max() : a + b;
}

// Addresses grow to five digits once the dump reaches past $FFFF (the
// skipped bytes count as well); longer addresses show their low digits only.
std::size_t addressDigits(std::uint64_t start, std::uint64_t count, std::uint64_t first) {
    return saturatingSum(saturatingSum(start, count), first) <= 0xFFFF ? 4 : 5;
}

// Writes the low hex digits of address, as many as the address column has,
// in lower case whatever case the bytes use.
void writeAddress(char* text, std::size_t digits, std::uint64_t address) {
    static const char lowerDigits[] = "0123456789abcdef";
    for (std::size_t d = digits; d-- > 0; address >>= 4) text[d] = lowerDigits[address & 15];
}

// How many positions of a line, from position lineStart on, lie inside
// the data; the rest of the line shows missing bytes.
std::size_t presentInLine(std::size_t dataSize, std::uint64_t first, std::uint64_t lineStart, std::size_t n) {
    if (first >= dataSize) return 0;
    const std::uint64_t remaining = dataSize - first;
    if (lineStart >= remaining) return 0;
    return static_cast<std::size_t>(std::min<std::uint64_t>(n, remaining - lineStart));
}

class LineFormatter {
public:
    LineFormatter(std::ostream& out, std::size_t width, std::size_t addressWidth)
        : out_(out),
          notation_(chosenNotation()),
          pairs_(digitPairs(hexUpper.given())),
          hexColumn_(hexTemplate(notation_, width)),
          address_(addressWidth, '0'),
          partialLine_(width, 0),
          lowercase_(lowercase.given()) {
        const nuk::con::Console* console = nuk::con::consoleFor(out);
        toConsole_ = console != nullptr;
        coloured_ = toConsole_ && console->colorEnabled;
        if (!coloured_) block_.reserve(blockSize + lineLength());
    }

    // One line of n positions: those below present come from bytes, the
    // others are missing.
    void line(std::uint64_t address, const std::uint8_t* bytes, std::size_t present, std::size_t n) {
        writeAddress(&address_[0], address_.size(), address);
        std::size_t pos = notation_.digitOffset;
        for (std::size_t col = 0; col < present; ++col, pos += notation_.fieldLength) {
            const auto& pair = pairs_[bytes[col]];
            hexColumn_[pos] = pair[0];
            hexColumn_[pos + 1] = pair[1];
        }
        for (std::size_t col = present; col < n; ++col, pos += notation_.fieldLength) {
            hexColumn_[pos] = '-';
            hexColumn_[pos + 1] = '-';
        }
        emit(textBytes(bytes, present, n), n);
    }

    // The last line is blanked behind its last field, separator included, so
    // that its text column starts where it does on full lines.
    void lastLine(std::uint64_t address, const std::uint8_t* bytes, std::size_t present, std::size_t n) {
        const std::size_t end = (n - 1) * notation_.fieldLength + notation_.digitOffset + 2;
        std::fill(hexColumn_.begin() + end, hexColumn_.end(), ' ');
        line(address, bytes, present, n);
    }

    // Writes out what is still held back; the formatter is done afterwards.
    void finish() { flushBlock(); }

private:
    std::size_t lineLength() const { return address_.size() + 2 + hexColumn_.size() + 3 * partialLine_.size() + 1; }

    // The bytes of the text column: straight from the data when the line is
    // complete, else copied with the missing positions as byte 0.
    const std::uint8_t* textBytes(const std::uint8_t* bytes, std::size_t present, std::size_t n) {
        if (present == n) return bytes;
        std::copy(bytes, bytes + present, partialLine_.begin());
        std::fill(partialLine_.begin() + present, partialLine_.begin() + n, 0);
        return partialLine_.data();
    }

    void emit(const std::uint8_t* shown, std::size_t n) {
        const std::string text = petsciiText(shown, n, lowercase_);
        if (coloured_) {
            using nuk::con::Effect;
            out_ << Effect{nuk::con::effectForeground, addressColour} << address_ << ": "
                 << Effect{nuk::con::effectForeground, hexColour} << hexColumn_
                 << Effect{nuk::con::effectForeground, textColour};
            writeText(text);
            out_ << '\n';
            return;
        }
        block_ += address_;
        block_ += ": ";
        block_ += hexColumn_;
        block_ += text;
        block_ += '\n';
        if (block_.size() >= blockSize) flushBlock();
    }

    // The whole block goes out as console text: it is valid wherever the text
    // column alone is, and a Unicode console shows it the same way.
    void flushBlock() {
        writeText(block_);
        block_.clear();
    }

    // Text with PETSCII characters reaches the console through the
    // console-aware string; any other stream takes the bytes.
    void writeText(const std::string& text) {
        if (text.empty()) return;
        if (toConsole_)
            out_ << nuk::con::ConsoleString(text);
        else
            out_ << text;
    }

    std::ostream& out_;
    const Notation& notation_;
    const DigitPairs pairs_;
    std::string hexColumn_;
    std::string address_;
    std::vector<std::uint8_t> partialLine_;
    const bool lowercase_;
    bool toConsole_ = false;
    bool coloured_ = false;
    std::string block_;
};

// The integer value of an option; options that take a number always hold a
// valid one once parsed, anything else counts as 0.
std::uint64_t integerValue(const Option& option) {
    if (!option.hasValues()) return 0;
    const std::int64_t value = nuk::cli::toInteger(option.values.front());
    return value < 0 ? 0 : static_cast<std::uint64_t>(value);
}

struct DumpRange {
    std::uint64_t first = 0;  // index of the first byte shown
    std::uint64_t start = 0;  // address shown for it
    std::uint64_t count = 0;  // positions shown, missing ones included
};

// The load address is read little-endian from the first two bytes; a file
// of one byte has no high byte, which counts as 0.
std::uint64_t loadAddress(const std::vector<std::uint8_t>& data) {
    const std::uint64_t high = data.size() > 1 ? data[1] : 0;
    return data[0] + 256 * high;
}

DumpRange rangeFor(const std::vector<std::uint8_t>& data) {
    const std::uint64_t size = data.size();
    const std::uint64_t skip = integerValue(seek);
    DumpRange range;
    range.first = load.given() ? skip + 2 : skip;
    range.start = load.given() ? skip + loadAddress(data) : skip;
    // Only an explicit start address is reduced to 16 bits; seek and load
    // still decide which byte it belongs to.
    if (start.given()) range.start = integerValue(start) & 0xFFFF;
    // The length is capped by the whole size, not by what is left after the
    // skipped bytes: positions past the end show as missing. Without a
    // length, a first position past the end wraps and shows size positions.
    range.count = len.hasValues() ? std::min(size, integerValue(len)) : std::min(size, size - range.first);
    return range;
}

}  // namespace

std::optional<nuk::cli::Msg> dumpFile(nuk::file_t& file) {
    if (file.data.empty()) return std::nullopt;
    const DumpRange range = rangeFor(file.data);
    dumpBytes(std::cout, file.data, range.count, integerValue(width), range.start, range.first);
    return std::nullopt;
}

void dumpBytes(std::ostream& out, const std::vector<std::uint8_t>& data, std::uint64_t count,
               std::uint64_t width, std::uint64_t start, std::uint64_t first) {
    // Nothing to show prints nothing, like an empty input. Width 0 is refused
    // on the command line; here it would divide the dump into no lines.
    if (count == 0 || width == 0) return;
    const auto lineWidth = static_cast<std::size_t>(width);
    LineFormatter formatter(out, lineWidth, addressDigits(start, count, first));
    for (std::uint64_t lineStart = 0;; lineStart += width) {
        const bool last = count - lineStart <= width;
        const auto n = static_cast<std::size_t>(last ? count - lineStart : width);
        const std::size_t present = presentInLine(data.size(), first, lineStart, n);
        const std::uint8_t* bytes = present > 0 ? data.data() + static_cast<std::size_t>(first + lineStart) : nullptr;
        const std::uint64_t address = start + lineStart;
        if (last) {
            formatter.lastLine(address, bytes, present, n);
            break;
        }
        formatter.line(address, bytes, present, n);
    }
    formatter.finish();
}
