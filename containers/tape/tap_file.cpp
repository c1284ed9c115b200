// Reading a TAP file's header and its pulses.

#include "containers/tape/tap_file.hpp"

#include <algorithm>
#include <cstring>

#include "containers/stored_numbers.hpp"

namespace nuk::tape {

namespace {

constexpr char signature[] = "C64-TAPE-RAW";
constexpr std::size_t signatureLength = sizeof signature - 1;
constexpr std::size_t readSize = 16 * 1024;
// A version 0 zero byte stands for a pause of unknown length: at least this.
constexpr std::uint32_t overflowCycles = 256 * 8;

}  // namespace

std::uint32_t TapHeader::clockRate() const {
    const bool ntsc = video != 0;
    switch (static_cast<Platform>(platform)) {
    case Platform::vic20: return ntsc ? 1022727 : 1108405;
    case Platform::c16: return ntsc ? 894886 : 886724;
    default: return ntsc ? 1022727 : 985248;
    }
}

bool hasTapSignature(disk::ImageFile& file) {
    std::uint8_t start[signatureLength];
    return file.readAt(0, start, signatureLength) && std::memcmp(start, signature, signatureLength) == 0;
}

std::optional<TapHeader> readTapHeader(disk::ImageFile& file) {
    std::uint8_t raw[tapHeaderSize];
    if (!file.readAt(0, raw, tapHeaderSize)) return std::nullopt;
    TapHeader header;
    header.version = raw[0x0C];
    header.platform = raw[0x0D];
    header.video = raw[0x0E];
    header.dataEnd = std::min(file.size(), tapHeaderSize + littleEndian(raw + 0x10, 4));
    return header;
}

PulseReader::PulseReader(std::shared_ptr<disk::ImageFile> file, const TapHeader& header, TapePosition from)
    : file_(std::move(file)), header_(header), position_(from), offset_(from.offset) {}

std::optional<std::uint8_t> PulseReader::nextByte() {
    if (offset_ >= header_.dataEnd || failed_) return std::nullopt;
    if (offset_ < bufferStart_ || offset_ >= bufferStart_ + buffer_.size()) {
        buffer_.resize(static_cast<std::size_t>(std::min<std::uint64_t>(readSize, header_.dataEnd - offset_)));
        bufferStart_ = offset_;
        if (!file_->readAt(offset_, buffer_.data(), buffer_.size())) {
            buffer_.clear();
            failed_ = true;
            return std::nullopt;
        }
    }
    return buffer_[static_cast<std::size_t>(offset_++ - bufferStart_)];
}

// One value of the data: a half-wave in version 2, else a whole pulse.
std::optional<std::uint32_t> PulseReader::nextValue() {
    const std::optional<std::uint8_t> byte = nextByte();
    if (!byte) return std::nullopt;
    if (*byte != 0) return std::uint32_t{*byte} * 8;
    if (header_.version == 0) return overflowCycles;
    std::uint8_t length[3];
    for (std::uint8_t& b : length) {
        const std::optional<std::uint8_t> part = nextByte();
        if (!part) return std::nullopt;
        b = *part;
    }
    return littleEndian(length, 3);
}

std::optional<std::uint32_t> PulseReader::next() {
    std::optional<std::uint32_t> cycles = nextValue();
    if (cycles && header_.version == 2) {
        const std::optional<std::uint32_t> secondHalf = nextValue();
        cycles = secondHalf ? std::optional<std::uint32_t>(*cycles + *secondHalf) : std::nullopt;
    }
    if (!cycles) return std::nullopt;
    position_.offset = offset_;
    ++position_.pulse;
    position_.cycles += *cycles;
    return cycles;
}

}  // namespace nuk::tape
