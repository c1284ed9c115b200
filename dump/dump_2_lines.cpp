// Laying the positions of one dump out in lines as their bytes arrive.

#include "dump/dump_2_lines.hpp"

#include <algorithm>
#include <cstring>

DumpLines::DumpLines(const LineFormat& format, std::ostream& out, std::size_t addressDigits, std::uint64_t start,
                     std::uint64_t lines)
    : writer_(format, out, addressDigits, lines),
      width_(static_cast<std::size_t>(format.width)),
      squeeze_(format.squeeze),
      // Five address digits repeat every $100000 positions: the line after a
      // "*" stays closer than that to the line before it, so that the
      // addresses still tell how many lines each run stands for.
      longestRun_(0xFFFFF / std::max<std::uint64_t>(format.width, 1) - 1),
      lineAddress_(start) {
    line_.reserve(width_);
}

// Whole lines are formatted straight from the caller's bytes; only the
// pieces of a line that straddles two calls are copied.
void DumpLines::add(const std::uint8_t* bytes, std::size_t n) {
    if (n == 0) return;
    if (!line_.empty()) {
        const std::size_t taken = std::min(width_ - line_.size(), n);
        line_.insert(line_.end(), bytes, bytes + taken);
        bytes += taken;
        n -= taken;
        if (line_.size() < width_) return;
        completeLines(line_.data(), 1);
        line_.clear();
    }
    const std::size_t lines = n / width_;
    if (lines > 0) completeLines(bytes, lines);
    line_.assign(bytes + lines * width_, bytes + n);
}

void DumpLines::completeLines(const std::uint8_t* bytes, std::uint64_t count) {
    if (squeeze_) {
        squeezedLines(bytes, count);
    } else {
        writer_.completeLines(lineAddress_, bytes, count, width_);
        lineAddress_ += count * width_;
    }
    written_ += count * width_;
}

// Lines that differ from the one before go out together, as many at a time
// as without squeezing; a run of equal lines is only counted.
void DumpLines::squeezedLines(const std::uint8_t* bytes, std::uint64_t count) {
    while (count > 0 && !writer_.failed()) {
        const std::uint64_t unlike = linesUnlikeTheOneBefore(bytes, count);
        if (unlike > 0) {
            endRun(true);
            writer_.completeLines(lineAddress_, bytes, unlike, width_);
            bytes += unlike * width_;
            count -= unlike;
            lineAddress_ += unlike * width_;
            lineBefore_.assign(bytes - width_, bytes);
        }
        const std::uint64_t like = linesLikeTheOneBefore(bytes, std::min(count, longestRun_ - linesInRun_));
        linesInRun_ += like;
        bytes += like * width_;
        count -= like;
        lineAddress_ += like * width_;
        if (linesInRun_ == longestRun_) cutRunAtItsLongest();
    }
}

// The run so far becomes a "*" and its last line; the lines equal to it
// that follow start a run of their own.
void DumpLines::cutRunAtItsLongest() {
    writer_.squeezeMark();
    writer_.line(lineAddress_ - width_, lineBefore_.data(), width_, width_);
    linesInRun_ = 0;
}

std::uint64_t DumpLines::linesUnlikeTheOneBefore(const std::uint8_t* bytes, std::uint64_t count) const {
    const std::uint8_t* before = lineBefore_.empty() ? nullptr : lineBefore_.data();
    std::uint64_t unlike = 0;
    for (; unlike < count; ++unlike, before = bytes, bytes += width_) {
        if (before != nullptr && std::memcmp(before, bytes, width_) == 0) break;
    }
    return unlike;
}

std::uint64_t DumpLines::linesLikeTheOneBefore(const std::uint8_t* bytes, std::uint64_t count) const {
    std::uint64_t like = 0;
    for (; like < count; ++like, bytes += width_) {
        if (std::memcmp(lineBefore_.data(), bytes, width_) != 0) break;
    }
    return like;
}

// A run of equal lines ends in one line "*". When it ends the dump, its last
// line is written as well, so that its address shows where the dump ends; a
// run of that one line is just the line.
void DumpLines::endRun(bool lastLineFollows) {
    if (linesInRun_ == 0) return;
    if (lastLineFollows || linesInRun_ > 1) writer_.squeezeMark();
    if (!lastLineFollows) writer_.line(lineAddress_ - width_, lineBefore_.data(), width_, width_);
    linesInRun_ = 0;
}

// A run of equal lines is not squeezed across missing positions or a place
// line: the lines after them are compared with each other only.
void DumpLines::addMissing(std::uint64_t n) {
    if (n == 0) return;
    endRun(true);
    endLine(n);
    lineBefore_.clear();
}

// The lines of the place before end as any dump does: a run ends in "*" and
// its last line, so the place's last address shows.
void DumpLines::placeLine(const std::string& text) {
    endRun(false);
    endLine(0);
    lineBefore_.clear();
    writer_.textLine(text);
}

// Writes the line in progress, followed by `missing` positions that hold no
// byte over as many lines as they take; the last line may be short.
void DumpLines::endLine(std::uint64_t missing) {
    while ((missing > 0 || !line_.empty()) && !writer_.failed()) {
        const std::size_t present = line_.size();
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(width_, present + missing));
        writer_.line(lineAddress_, present > 0 ? line_.data() : nullptr, present, n);
        missing -= n - present;
        lineAddress_ += n;
        written_ += n;
        line_.clear();
    }
}

// The last lines may show missing positions or be short; a line shorter
// than the width is blanked behind its last field.
void DumpLines::endAt(std::uint64_t count) {
    endRun(written_ < count);
    std::size_t present = line_.size();
    for (std::uint64_t position = written_; position < count && !writer_.failed();) {
        const auto n = static_cast<std::size_t>(std::min<std::uint64_t>(width_, count - position));
        const std::size_t shown = std::min(present, n);
        writer_.line(lineAddress_, shown > 0 ? line_.data() : nullptr, shown, n);
        present -= shown;
        lineAddress_ += n;
        position += n;
    }
    line_.clear();
    writer_.writeBlock();
}
