#pragma once
// The machine's own tape format, as the ROM's loader reads it (C64 and
// VIC-20), from the pulses of a TAP file.
//
//   pulses  short, medium and long, told apart by their lengths against
//           the short pulses of the leader before each block (the tape's
//           own speed, which drifts)
//   byte    a marker (long, medium), 8 bits least significant first (short,
//           medium 0; medium, short 1), a bit that makes the number of 1s
//           among the nine odd
//   block   a leader of short pulses, a countdown ($89 ... $81 before the
//           first copy, $09 ... $01 before the repeat), the data bytes, their
//           XOR as a checksum, and the end marker (long, short)
//
// Every block is recorded twice, the repeat right after the first copy; a
// record is the two copies, mended into one.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "containers/image_file.hpp"
#include "containers/tape/tap_file.hpp"

namespace nuk::tape {

enum class ByteFault : std::uint8_t { none, parity, unreadable };

// One copy of a block, as read: its bytes after the countdown (the data,
// then the checksum) and what was wrong with each.
struct BlockCopy {
    std::vector<std::uint8_t> bytes;
    std::vector<ByteFault> faults;
    std::vector<std::pair<std::size_t, TapePosition>> faultsAt;  // each faulty byte's place
    TapePosition searchedFrom;  // where the search for it started
    TapePosition start;         // of its countdown
    TapePosition bytesEnd;      // after its last byte
    bool repeat = false;

    bool faulty(std::size_t index) const { return index >= bytes.size() || faults[index] != ByteFault::none; }
};

// A block and its repeat: either can be missing, not both.
struct RecordCopies {
    std::optional<BlockCopy> first;
    std::optional<BlockCopy> repeat;
    TapePosition end;  // after the last copy

    const BlockCopy& either() const { return first ? *first : *repeat; }
    std::size_t longestCopy() const;
    // A copy's first byte, where it was read without a fault.
    std::optional<std::uint8_t> firstByte() const;
};

enum class DamageKind { parity, unreadable, checksum, tooFewBytes };

// What went wrong in both copies (or in the only one), where it went wrong
// first.
struct Damage {
    DamageKind kind;
    TapePosition at;
    bool repeated;  // false: the block had no repeat to mend it from
};

// A block's data mended from its two copies: all of it, or the bytes before
// the first that neither copy holds right.
struct Record {
    std::vector<std::uint8_t> data;
    std::optional<Damage> damage;
};

Record mend(const RecordCopies& copies, std::size_t dataLength);

// Whether a pulse goes on a run of pulses of one length (a leader, a
// trailer) that has this sum and count: within a fifth of their mean.
bool continuesRun(std::uint64_t cycles, std::uint64_t sum, std::uint64_t count);

class RomTapeReader {
public:
    RomTapeReader(std::shared_ptr<disk::ImageFile> file, const TapHeader& header, TapePosition from = {});

    // The next block and its repeat; nothing when the tape holds no more.
    std::optional<RecordCopies> nextRecord();
    // Where the search for the next record starts.
    TapePosition position() const;

private:
    enum class Pulse { none, shortPulse, mediumPulse, longPulse };
    enum class Read { byte, endOfBlock, lost };

    std::optional<BlockCopy> nextCopy();
    bool findLeader();
    bool readCountdown(BlockCopy& copy);
    void readBlockBytes(BlockCopy& copy);
    Read readByte(std::uint8_t& value, ByteFault& fault);
    Read resynchronize(Pulse previous);
    std::optional<std::uint32_t> nextPulse();
    // Where the next pulse starts, one put back counted.
    TapePosition here() const;
    Pulse classify(std::uint32_t cycles);
    Pulse nextClass();

    PulseReader pulses_;
    std::optional<std::uint32_t> pushedBack_;
    TapePosition pushedFrom_;
    std::optional<BlockCopy> pending_;
    std::uint64_t unit_ = 0;  // a short pulse's length in 1/256 cycles
    bool markerRead_ = false;
    std::size_t lostPulses_ = 0;  // skipped while resynchronizing, for the bytes they stood for
};

}  // namespace nuk::tape
