#pragma once
// Where the positions of one dump go as their bytes arrive: lines of text
// (dump_2_lines), the bytes themselves (dump_2_raw) or source code
// (dump_2_source).

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class DumpOutput {
public:
    virtual ~DumpOutput() = default;

    // The next n bytes of the dump, in order.
    virtual void add(const std::uint8_t* bytes, std::size_t n) = 0;

    // n positions, next in order, that hold no byte (the part of a disk's
    // sector that the drive could not read): they end their line, so the
    // bytes after them start a line of their own.
    virtual void addMissing(std::uint64_t n) = 0;

    // A line naming where the bytes after it come from (a disk's sector,
    // for -v): it ends the line in progress, so they start a line of their
    // own.
    virtual void placeLine(const std::string& text) = 0;

    // Ends the dump at count positions (never below the bytes added); the
    // positions past the bytes are missing. Nothing is added afterwards.
    virtual void endAt(std::uint64_t count) = 0;

    // Passes what has arrived on to the stream now.
    virtual void flush() = 0;

    // Once the stream has failed nothing more can reach it; the failure
    // itself is reported when the program ends.
    virtual bool failed() const = 0;

    // Why the output could not show every byte, when the stream is not to
    // blame: the end of what its form can hold.
    virtual std::optional<std::string> fault() const { return std::nullopt; }
};
