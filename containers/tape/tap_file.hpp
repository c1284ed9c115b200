#pragma once
// A TAP file: the pulses a tape drive's read head saw, one after another,
// read from the file a buffer at a time, so that a tape of any length is
// never held whole.
//
//   header  $00 "C64-TAPE-RAW" (12 bytes)  $0C version  $0D platform
//           (0 C64, 1 VIC-20, 2 C16/Plus/4)  $0E video standard (0 PAL,
//           1 NTSC)  $0F reserved  $10 length of the pulse data (4)
//   pulses  one byte each: the pulse's length in CPU cycles divided by 8.
//           A zero byte is a pulse too long for a byte: in version 0 of
//           unknown length, in versions 1 and 2 followed by its length in
//           cycles (3 bytes). Version 2 holds half-waves, two to a pulse.

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "containers/image_file.hpp"

namespace nuk::tape {

constexpr std::uint64_t tapHeaderSize = 20;

enum class Platform : std::uint8_t { c64 = 0, vic20 = 1, c16 = 2 };

struct TapHeader {
    std::uint8_t version = 0;
    std::uint8_t platform = 0;
    std::uint8_t video = 0;
    std::uint64_t dataEnd = tapHeaderSize;  // just past the last pulse in the file

    // CPU cycles a second of the machine that recorded the tape, for
    // positions in seconds.
    std::uint32_t clockRate() const;
};

bool hasTapSignature(disk::ImageFile& file);

// The header; nothing when the file ends inside it. The pulses end where
// the header's length says, or at the end of a file that is shorter.
std::optional<TapHeader> readTapHeader(disk::ImageFile& file);

// A place on the tape: to come back to, and to name in a message.
struct TapePosition {
    std::uint64_t offset = tapHeaderSize;  // in the file
    std::uint64_t pulse = 0;               // pulses before it, counting from 0
    std::uint64_t cycles = 0;              // since the first pulse
};

class PulseReader {
public:
    PulseReader(std::shared_ptr<disk::ImageFile> file, const TapHeader& header, TapePosition from = {});

    // The next pulse's length in CPU cycles; nothing at the end of the
    // pulses, or where the file cannot be read (failed() then says so).
    std::optional<std::uint32_t> next();
    // Where the next pulse starts.
    const TapePosition& position() const { return position_; }
    bool failed() const { return failed_; }

private:
    std::optional<std::uint32_t> nextValue();
    std::optional<std::uint8_t> nextByte();

    const std::shared_ptr<disk::ImageFile> file_;
    const TapHeader header_;
    TapePosition position_;
    std::uint64_t offset_;  // of the next byte to read
    std::vector<std::uint8_t> buffer_;
    std::uint64_t bufferStart_ = 0;
    bool failed_ = false;
};

}  // namespace nuk::tape
