// The dump: each line holds an address, a hex column of byte values and a
// text column of PETSCII characters.
//
// Lines are built from tables into one buffer and written in large blocks.
// Colour goes into the same text as escapes; only a console that takes its
// colours as attributes gets each column written apart, with the colour set
// between the writes.

#include "app/dump.hpp"

#include <algorithm>
#include <iostream>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "app/dump_line.hpp"
#include "app/glyph_table.hpp"
#include "app/hex_fields.hpp"
#include "app/options.hpp"
#include "cli/value.hpp"
#include "console/console.hpp"
#include "console/console_string.hpp"

namespace {

using nuk::cli::Option;

constexpr int addressColour = 9;
constexpr int hexColour = 15;
constexpr int textColour = 11;

// The most output collected before it is written. Writes of this size cost
// little, and a block still fits into a pipe whose reader is keeping up (the
// usual pipe holds 64 KiB): a larger write makes the writer wait for the
// reader in the middle of every block, which on a pipe costs far more than
// the writes saved.
constexpr std::size_t blockSize = 64 * 1024;

// Turbo wins silently when both forms are asked for.
const Notation& chosenNotation() {
    if (turbo.given()) return turboNotation;
    if (hex0x.given()) return cNotation;
    return plainNotation;
}

std::uint64_t saturatingSum(std::uint64_t a, std::uint64_t b) {
    return a > std::numeric_limits<std::uint64_t>::max() - b ? std::numeric_limits<std::uint64_t>::max() : a + b;
}

// Addresses grow to five digits once the dump reaches past $FFFF (the
// skipped bytes count as well); longer addresses show their low digits only.
std::size_t addressDigits(std::uint64_t start, std::uint64_t count, std::uint64_t first) {
    return saturatingSum(saturatingSum(start, count), first) <= 0xFFFF ? 4 : 5;
}

// How many positions of a line, from position lineStart on, lie inside
// the data; the rest of the line shows missing bytes.
std::size_t presentInLine(std::size_t dataSize, std::uint64_t first, std::uint64_t lineStart, std::size_t n) {
    if (first >= dataSize) return 0;
    const std::uint64_t remaining = dataSize - first;
    if (lineStart >= remaining) return 0;
    return static_cast<std::size_t>(std::min<std::uint64_t>(n, remaining - lineStart));
}

// The colour of each column as escape text, when colour is on for the
// stream and goes out as escapes.
ColumnEscapes inlineEscapes(const std::ostream& out) {
    return {nuk::con::inlineForegroundEscape(out, addressColour), nuk::con::inlineForegroundEscape(out, hexColour),
            nuk::con::inlineForegroundEscape(out, textColour)};
}

// Takes the lines of one dump and writes them to the stream.
class DumpWriter {
public:
    DumpWriter(std::ostream& out, std::size_t width, std::size_t addressDigits, std::uint64_t lines)
        : out_(out),
          fields_(hexFields(chosenNotation(), hexUpper.given())),
          glyphs_(glyphTable(console.mode, lowercase.given())),
          colourOn_(colourOn(out)),
          builder_(width, addressDigits, fields_, glyphs_, colourOn_ ? inlineEscapes(out) : ColumnEscapes{}),
          columnEffects_(colourOn_ && builder_.escapes().empty()),
          consoleText_(nuk::con::convertsConsoleText(out)) {
        // A block goes out before the next line could take it past blockSize
        // (a line longer than that is a block of its own); a short dump gets
        // a buffer for its own size only, so that many small files do not
        // each pay for a whole block.
        const std::size_t room = builder_.roomForLine();
        const bool shortDump = lines <= blockSize / room;
        capacity_ = columnEffects_ ? room
                    : shortDump    ? static_cast<std::size_t>(lines) * room
                                   : std::max(blockSize, room);
        buffer_.reset(new char[capacity_]);
    }

    void line(std::uint64_t address, const std::uint8_t* bytes, std::size_t present, std::size_t n) {
        if (columnEffects_) {
            writeColumns(builder_.write(buffer_.get(), address, bytes, present, n));
            return;
        }
        if (capacity_ - used_ < builder_.roomForLine()) flushBlock();
        used_ = static_cast<std::size_t>(builder_.write(buffer_.get() + used_, address, bytes, present, n) - buffer_.get());
    }

    // count complete lines of present bytes, as many at a time as the
    // block has room for.
    void completeLines(std::uint64_t address, const std::uint8_t* bytes, std::uint64_t count, std::size_t width) {
        while (count > 0 && !failed_) {
            if (columnEffects_) {
                line(address, bytes, width, width);
                address += width;
                bytes += width;
                --count;
                continue;
            }
            const std::size_t fit = (capacity_ - used_) / builder_.roomForLine();
            if (fit == 0) {
                flushBlock();
                continue;
            }
            const auto batch = static_cast<std::size_t>(std::min<std::uint64_t>(fit, count));
            used_ = static_cast<std::size_t>(builder_.writeComplete(buffer_.get() + used_, address, bytes, batch) -
                                             buffer_.get());
            address += std::uint64_t{batch} * width;
            bytes += batch * width;
            count -= batch;
        }
    }

    // Writes out what is still held back; the writer is done afterwards.
    void finish() { flushBlock(); }

    // Once the stream has failed nothing more can reach it; the failure
    // itself is reported when the program ends.
    bool failed() const { return failed_; }

private:
    static bool colourOn(const std::ostream& out) {
        const nuk::con::Console* console = nuk::con::consoleFor(out);
        return console != nullptr && console->colorEnabled;
    }

    // The block goes out as console text where that text takes another form:
    // it is valid wherever the text column alone is.
    void flushBlock() {
        if (used_ == 0) return;
        if (consoleText_)
            out_ << nuk::con::ConsoleString(std::string(buffer_.get(), used_));
        else
            out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
        used_ = 0;
        failed_ = !out_;
    }

    // One line written column by column, each behind its colour effect.
    void writeColumns(const char* lineEnd) {
        using nuk::con::Effect;
        using nuk::con::effectForeground;
        const char* address = buffer_.get();
        const char* hex = address + builder_.addressColumnLength();
        const char* text = hex + builder_.hexColumnLength();
        const char* newline = lineEnd - 1;
        out_ << Effect{effectForeground, addressColour};
        out_.write(address, hex - address);
        out_ << Effect{effectForeground, hexColour};
        out_.write(hex, text - hex);
        out_ << Effect{effectForeground, textColour};
        out_ << nuk::con::ConsoleString(std::string(text, newline)) << '\n';
        failed_ = !out_;
    }

    std::ostream& out_;
    const HexFields& fields_;
    const GlyphTable& glyphs_;
    const bool colourOn_;
    const LineBuilder builder_;
    const bool columnEffects_;
    const bool consoleText_;
    std::unique_ptr<char[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t used_ = 0;
    bool failed_ = false;
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
    const std::uint64_t lines = (count - 1) / width + 1;
    DumpWriter writer(out, lineWidth, addressDigits(start, count, first), lines);
    // The lines before the last whose positions all lie inside the data take
    // the short way; the rest may show missing bytes or be short.
    const std::uint64_t presentPositions = first >= data.size() ? 0 : std::min<std::uint64_t>(count, data.size() - first);
    const std::uint64_t completeLines = std::min(presentPositions / width, lines - 1);
    if (completeLines > 0) {
        writer.completeLines(start, data.data() + static_cast<std::size_t>(first), completeLines, lineWidth);
    }
    for (std::uint64_t lineStart = completeLines * width; !writer.failed(); lineStart += width) {
        const bool last = count - lineStart <= width;
        const auto n = static_cast<std::size_t>(last ? count - lineStart : width);
        const std::size_t present = presentInLine(data.size(), first, lineStart, n);
        const std::uint8_t* lineBytes = present > 0 ? data.data() + static_cast<std::size_t>(first + lineStart) : nullptr;
        writer.line(start + lineStart, lineBytes, present, n);
        if (last) break;
    }
    writer.finish();
}
