#pragma once
// The lines of an input read block by block: each comes without its line
// break (LF or CR LF) and without the colour escapes a dump may hold. Only
// the block being read and the line being finished are held, and a line
// may be no longer than the longest line of a dump.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "files/block_source.hpp"

namespace undump {

// The longest line a dump has (65536 positions in the 0x notation with
// their text, address and colour escapes) with room to spare.
constexpr std::size_t longestLine = 1024 * 1024;

class LineSource {
public:
    explicit LineSource(nuk::BlockSource& source);

    // The next line, or false at the end of the input. A line longer than
    // longestLine comes as its first longestLine characters and ends the
    // input, with tooLong() set.
    bool next(const char*& begin, const char*& end);

    std::uint64_t lineNumber() const { return lineNumber_; }
    bool tooLong() const { return tooLong_; }

private:
    bool fill();
    const char* withoutEscapes(const char* begin, const char* end);

    nuk::BlockSource& source_;
    std::vector<char> buffer_;
    std::size_t start_ = 0;  // of the first character not yet handed out
    std::size_t used_ = 0;
    bool ended_ = false;
    bool tooLong_ = false;
    std::uint64_t lineNumber_ = 0;
    std::vector<char> plain_;  // a line with its escapes taken out
};

}  // namespace undump
