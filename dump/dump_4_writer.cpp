// Writing the lines of one dump in large blocks.

#include "dump/dump_4_writer.hpp"

#include <algorithm>
#include <string>

#include "console/console.hpp"
#include "console/console_string.hpp"
#include "files/block_source.hpp"

namespace {

constexpr int addressColour = 9;
constexpr int hexColour = 15;
constexpr int textColour = 11;

// The colour of each column as escape text, when colour is on for the
// stream and goes out as escapes.
ColumnEscapes inlineEscapes(const std::ostream& out) {
    return {nuk::con::inlineForegroundEscape(out, addressColour), nuk::con::inlineForegroundEscape(out, hexColour),
            nuk::con::inlineForegroundEscape(out, textColour)};
}

}  // namespace

DumpWriter::DumpWriter(const LineFormat& format, std::ostream& out, std::size_t addressDigits, std::uint64_t lines)
    : out_(out),
      colourOn_(colourOn(format, out)),
      builder_(format, addressDigits, colourOn_ ? inlineEscapes(out) : ColumnEscapes{}),
      columnEffects_(colourOn_ && builder_.escapes().empty()),
      consoleText_(nuk::con::convertsConsoleText(out)) {
    // Output is collected and written in blocks, which cost little per
    // write. A block goes out before the next line could take it past
    // blockSize (a line longer than that is a block of its own); a short
    // dump gets a buffer for its own size only, so that many small files do
    // not each pay for a whole block.
    const std::size_t room = builder_.roomForLine();
    const bool shortDump = lines <= nuk::blockSize / room;
    capacity_ = columnEffects_ ? room
                : shortDump    ? static_cast<std::size_t>(lines) * room
                               : std::max(nuk::blockSize, room);
    buffer_.reset(new char[capacity_]);
}

void DumpWriter::line(std::uint64_t address, const std::uint8_t* bytes, std::size_t present, std::size_t n) {
    if (columnEffects_) {
        const char* text = nullptr;
        const char* end = builder_.write(buffer_.get(), address, bytes, present, n, &text);
        writeColumns(text, end);
        return;
    }
    if (capacity_ - used_ < builder_.roomForLine()) writeBlock();
    used_ = static_cast<std::size_t>(builder_.write(buffer_.get() + used_, address, bytes, present, n) - buffer_.get());
}

void DumpWriter::completeLines(std::uint64_t address, const std::uint8_t* bytes, std::uint64_t count,
                               std::size_t width) {
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
            writeBlock();
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

void DumpWriter::squeezeMark() { textLine("*"); }

// A text longer than the buffer's room goes out on its own.
void DumpWriter::textLine(const std::string& text) {
    if (columnEffects_) {
        out_ << nuk::con::Effect{nuk::con::effectForeground, addressColour} << nuk::con::ConsoleString(text) << '\n';
        failed_ = !out_;
        return;
    }
    const std::string& escape = builder_.escapes().address;
    const std::size_t length = escape.size() + text.size() + 1;
    if (capacity_ - used_ < length) writeBlock();
    if (capacity_ - used_ < length) {
        const std::string line = escape + text + "\n";
        if (consoleText_)
            out_ << nuk::con::ConsoleString(line);
        else
            out_.write(line.data(), static_cast<std::streamsize>(line.size()));
        failed_ = !out_;
        return;
    }
    std::copy(escape.begin(), escape.end(), buffer_.get() + used_);
    std::copy(text.begin(), text.end(), buffer_.get() + used_ + escape.size());
    used_ += length;
    buffer_[used_ - 1] = '\n';
}

void DumpWriter::flush() {
    writeBlock();
    if (!failed_) {
        out_.flush();
        failed_ = !out_;
    }
}

// Colour asked for goes out only where it reaches: to a console that has it
// switched on. Redirected output that takes no escapes (Windows) is written
// as plain text, in blocks, rather than column by column for nothing.
bool DumpWriter::colourOn(const LineFormat& format, const std::ostream& out) {
    return format.colour && nuk::con::colourReaches(out);
}

// The block goes out as console text where that text takes another form:
// it is valid wherever the text column alone is.
void DumpWriter::writeBlock() {
    if (used_ == 0) return;
    if (consoleText_)
        out_ << nuk::con::ConsoleString(std::string(buffer_.get(), used_));
    else
        out_.write(buffer_.get(), static_cast<std::streamsize>(used_));
    used_ = 0;
    failed_ = !out_;
}

// One line written column by column, each behind its colour effect.
void DumpWriter::writeColumns(const char* text, const char* lineEnd) {
    using nuk::con::Effect;
    using nuk::con::effectForeground;
    const char* address = buffer_.get();
    const char* hex = address + builder_.addressColumnLength();
    const char* newline = lineEnd - 1;
    out_ << Effect{effectForeground, addressColour};
    out_.write(address, hex - address);
    out_ << Effect{effectForeground, hexColour};
    out_.write(hex, text - hex);
    out_ << Effect{effectForeground, textColour};
    out_ << nuk::con::ConsoleString(std::string(text, newline)) << '\n';
    failed_ = !out_;
}
