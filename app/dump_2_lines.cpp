// Laying the positions of one dump out in lines as their bytes arrive.

#include "app/dump_2_lines.hpp"

#include <algorithm>

DumpLines::DumpLines(const LineFormat& format, std::ostream& out, std::size_t addressDigits, std::uint64_t start,
                     std::uint64_t lines)
    : writer_(format, out, addressDigits, lines),
      width_(static_cast<std::size_t>(format.width)),
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
        writer_.completeLines(lineAddress_, line_.data(), 1, width_);
        lineAddress_ += width_;
        written_ += width_;
        line_.clear();
    }
    const std::size_t lines = n / width_;
    if (lines > 0) {
        writer_.completeLines(lineAddress_, bytes, lines, width_);
        lineAddress_ += std::uint64_t{lines} * width_;
        written_ += std::uint64_t{lines} * width_;
    }
    line_.assign(bytes + lines * width_, bytes + n);
}

// The last lines may show missing positions or be short; a line shorter
// than the width is blanked behind its last field.
void DumpLines::endAt(std::uint64_t count) {
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
