#include "reverse/line_source.hpp"

#include <algorithm>
#include <cstring>

namespace undump {

namespace {

constexpr char escape = '\x1b';

// A control sequence: ESC "[", parameters and intermediates, a final byte
// from "@" to "~". Returns where it ends, or `at` when none starts there.
const char* afterControlSequence(const char* at, const char* end) {
    if (end - at < 2 || at[0] != escape || at[1] != '[') return at;
    for (const char* p = at + 2; p < end; ++p) {
        if (*p >= '@' && *p <= '~') return p + 1;
        if (*p < ' ' || *p > '?') return at;
    }
    return at;
}

}  // namespace

// The buffer grows with the longest line so far: most inputs never need
// more than two blocks.
LineSource::LineSource(nuk::BlockSource& source) : source_(source), buffer_(2 * nuk::blockSize) {}

// Moves the unfinished line to the front and reads behind it.
bool LineSource::fill() {
    if (ended_) return false;
    if (start_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + start_, used_ - start_);
        used_ -= start_;
        start_ = 0;
    }
    if (buffer_.size() - used_ < nuk::blockSize) {
        buffer_.resize(std::min(2 * buffer_.size(), longestLine + nuk::blockSize));
    }
    const std::size_t got =
        source_.read(reinterpret_cast<std::uint8_t*>(buffer_.data() + used_), buffer_.size() - used_);
    if (got == 0) ended_ = true;
    used_ += got;
    return got > 0;
}

bool LineSource::next(const char*& begin, const char*& end) {
    if (tooLong_) return false;
    std::size_t scanned = 0;  // characters of the unfinished line known to hold no line break
    const char* lineBreak = nullptr;
    for (;;) {
        const char* from = buffer_.data() + start_ + scanned;
        lineBreak = static_cast<const char*>(std::memchr(from, '\n', used_ - start_ - scanned));
        if (lineBreak != nullptr) break;
        scanned = used_ - start_;
        if (scanned > longestLine) {
            tooLong_ = true;
            ++lineNumber_;
            begin = buffer_.data() + start_;
            end = begin + longestLine;
            return true;
        }
        if (!fill()) break;
    }
    begin = buffer_.data() + start_;
    if (lineBreak != nullptr) {
        end = lineBreak;
        start_ = static_cast<std::size_t>(lineBreak - buffer_.data()) + 1;
    } else {
        // The last line may lack its line break; a read that failed leaves
        // a line cut short, which is not shown.
        if (used_ == start_ || source_.failure()) return false;
        end = buffer_.data() + used_;
        start_ = used_;
    }
    ++lineNumber_;
    if (end > begin && end[-1] == '\r') --end;
    if (std::memchr(begin, escape, static_cast<std::size_t>(end - begin)) != nullptr) {
        end = withoutEscapes(begin, end);
        begin = end - plain_.size();
    }
    return true;
}

// Copies the text between the escapes, a run at a time.
const char* LineSource::withoutEscapes(const char* begin, const char* end) {
    plain_.clear();
    for (const char* p = begin; p < end;) {
        const auto* next = static_cast<const char*>(std::memchr(p, escape, static_cast<std::size_t>(end - p)));
        const char* runEnd = next != nullptr ? next : end;
        plain_.insert(plain_.end(), p, runEnd);
        if (next == nullptr) break;
        const char* after = afterControlSequence(next, end);
        if (after == next) {
            plain_.push_back(*next);
            ++after;
        }
        p = after;
    }
    return plain_.data() + plain_.size();
}

}  // namespace undump
