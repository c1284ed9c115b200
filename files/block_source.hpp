#pragma once
// An input read block by block while it is dumped, so that memory stays
// bounded whatever its length: a regular file, whose size is known and which
// can be read from any position, or a stream (standard input, a pipe) that
// is taken as it arrives.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "cli/message.hpp"

namespace nuk {

// What a source can tell about the bytes it hands out besides their values,
// each at its position counted from the source's first byte, told before
// the bytes at that position are handed out. Most sources have nothing to
// tell; a disk's sectors say where each sector begins and which positions
// the drive could not read.
class ByteNotes {
public:
    virtual ~ByteNotes() = default;
    // The bytes from this position on come from the place named, such as
    // "@18/1" (track 18, sector 1).
    virtual void placeBegins(std::uint64_t position, const std::string& place) = 0;
    // The n positions from this one hold no byte of the input: the bytes
    // handed out for them only keep their places.
    virtual void missing(std::uint64_t position, std::uint64_t n) = 0;
};

class BlockSource {
public:
    virtual ~BlockSource() = default;

    // The length of the whole input when it is known before reading (a
    // regular file); nothing for a stream, whose length shows at its end.
    virtual std::optional<std::uint64_t> size() const = 0;

    // How many bytes are left from the current position, when that is known
    // without reading them: a regular file, also one behind standard input.
    // Nothing for a stream, whose end shows only when it comes.
    virtual std::optional<std::uint64_t> remaining() const { return std::nullopt; }

    // Reads up to n bytes at the current position and returns how many came;
    // 0 at the end of the input, and after a failure, which failure() then
    // describes. A stream returns what has arrived. Once the input has come
    // to its end it stays there: the source is not asked again, so no reader
    // of a source has to be safe to call after it ended or failed.
    std::size_t read(std::uint8_t* into, std::size_t n);

    // Passes over up to n bytes without handing them out and returns how
    // many there were; fewer at the end or after a failure, which end the
    // input as a read of nothing does.
    std::uint64_t skip(std::uint64_t n);

    // The message of the read that failed; nothing while none has.
    const std::optional<cli::Msg>& failure() const { return failure_; }

    // Where the source tells what it knows about its bytes; nothing stops it.
    void tellNotesTo(ByteNotes* notes) { notes_ = notes; }

protected:
    // What each kind of source does for read() and skip(): asked only for
    // n > 0 and only while the input has not ended. skipBytes() reads and
    // drops the bytes unless the source can pass over them faster.
    virtual std::size_t readBytes(std::uint8_t* into, std::size_t n) = 0;
    virtual std::uint64_t skipBytes(std::uint64_t n);

    std::optional<cli::Msg> failure_;
    ByteNotes* notes_ = nullptr;

private:
    bool ended_ = false;
};

// Reads until n bytes are there or the input ends (or fails); returns how
// many came.
std::size_t readUpTo(BlockSource& source, std::uint8_t* into, std::size_t n);

// The size of the blocks input is read and output written in: what the usual
// pipe holds. A source is asked for no more than a pipe can deliver at once;
// a block of output still fits into a pipe whose reader is keeping up, where
// a larger write would make the writer wait for the reader in the middle of
// every block; and a block stays in the processor's cache while it is
// formatted.
constexpr std::size_t blockSize = 64 * 1024;

}  // namespace nuk
