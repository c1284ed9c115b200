#pragma once
// The lines of dumps followed one after the other: a dump begins with its
// first line of bytes and ends at an empty line, a path line or the end of
// the input; a line that names a disk's sector inside it is passed over.
// Within a dump every line starts where the one before ended,
// or, after a "*", a whole number of copies of the line before further on.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "reverse/byte_sink.hpp"
#include "reverse/dump_line.hpp"
#include "reverse/reverse_dump.hpp"

namespace undump {

// The low `digits` hex digits of an address, in lower case.
std::string addressText(std::uint64_t address, unsigned digits);

class DumpReader {
public:
    DumpReader(const ReverseSettings& settings, ByteSink& sink) : settings_(settings), sink_(sink) {}

    // The fault that the line shows, if any.
    std::optional<Fault> take(const DumpLine& line, const std::uint8_t* bytes, std::uint64_t lineNumber);

    // A "*" stands for lines up to the next one, so one must follow.
    std::optional<Fault> endDump();

private:
    std::string takeBytes(const DumpLine& line, const std::uint8_t* bytes);
    void beginDump(const DumpLine& line);
    std::string follow(const DumpLine& line);
    std::string repeatPrevious(std::uint64_t copies);

    const ReverseSettings& settings_;
    ByteSink& sink_;
    bool inDump_ = false;
    bool ended_ = false;             // a position past the end of the input was shown
    unsigned digits_ = 4;            // of the dump's addresses
    std::uint64_t expected_ = 0;     // the address the next line starts at
    std::uint64_t squeezeLine_ = 0;  // of a "*" whose run is still open, else 0
    std::vector<std::uint8_t> previous_;
    std::size_t previousPositions_ = 0;
};

}  // namespace undump
