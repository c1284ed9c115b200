// Decoding the ROM's tape format: pulses into bytes, bytes into blocks, a
// block's two copies into one.

#include "containers/tape/rom_tape_format.hpp"

#include <algorithm>

#include "containers/stored_numbers.hpp"

namespace nuk::tape {

namespace {

// The lengths the ROM writes, in TAP units at PAL speed: short $30, medium
// $42, long $56. Only their ratios are used, as 1/1024 of a short pulse:
// a pulse is of the class whose length is nearest, and none when it is
// further from short or long than medium is.
constexpr std::uint64_t mediumRatio = 1408;           // $42 / $30
constexpr std::uint64_t longRatio = 1835;             // $56 / $30
constexpr std::uint64_t shortestRatio = 640;          // ($30 - ($42 - $30)) / $30
constexpr std::uint64_t shortOrMediumRatio = 1216;    // ($30 + $42) / 2 / $30
constexpr std::uint64_t mediumOrLongRatio = 1621;     // ($42 + $56) / 2 / $30
constexpr std::uint64_t longestRatio = 2261;          // ($56 + ($56 - $42)) / $30

// A leader is at least this many pulses of one length (the repeat's is 79).
constexpr std::size_t leaderPulses = 32;
// Shorts in a row that only a leader has: the block before it has ended.
constexpr std::size_t shortsEndingBlock = 16;
// A resynchronization that finds no marker in this many pulses has lost the block.
constexpr std::size_t resynchronizationPulses = 400;
constexpr std::size_t pulsesPerByte = 20;
constexpr std::size_t countdownLength = 9;
constexpr std::size_t countdownMatches = 5;  // of 9, to take the bytes for a countdown
// A copy ends after so many faulty bytes (the ROM gives up after 31), or
// when it grows longer than any block can be.
constexpr std::size_t faultsEndingCopy = 64;
constexpr std::size_t longestBlock = 0x10000 + 1;

bool oddParity(std::uint8_t value, bool parityBit) {
    unsigned ones = parityBit ? 1 : 0;
    for (; value != 0; value &= static_cast<std::uint8_t>(value - 1)) ++ones;
    return ones % 2 == 1;
}

bool wholeAndSummed(const BlockCopy& copy, std::size_t dataLength) {
    for (std::size_t i = 0; i <= dataLength; ++i)
        if (copy.faulty(i)) return false;
    return xorOf(copy.bytes.data(), dataLength) == copy.bytes[dataLength];
}

TapePosition placeOfFault(const BlockCopy& copy, std::size_t index) {
    if (index >= copy.bytes.size()) return copy.bytesEnd;
    for (const auto& [faulty, at] : copy.faultsAt)
        if (faulty == index) return at;
    return copy.start;
}

DamageKind kindOfFault(const BlockCopy& copy, std::size_t index) {
    if (index >= copy.bytes.size()) return DamageKind::tooFewBytes;
    return copy.faults[index] == ByteFault::parity ? DamageKind::parity : DamageKind::unreadable;
}

// Each byte from `preferred` where it holds it without a fault, else from
// `other`; the bytes stop before the first that neither holds.
std::vector<std::uint8_t> mendedBytes(const BlockCopy& preferred, const BlockCopy* other, std::size_t dataLength) {
    std::vector<std::uint8_t> mended;
    for (std::size_t i = 0; i <= dataLength; ++i) {
        const BlockCopy* from = !preferred.faulty(i) ? &preferred : other && !other->faulty(i) ? other : nullptr;
        if (!from) break;
        mended.push_back(from->bytes[i]);
    }
    return mended;
}

}  // namespace

bool continuesRun(std::uint64_t cycles, std::uint64_t sum, std::uint64_t count) {
    return cycles * count * 5 >= sum * 4 && cycles * count * 5 <= sum * 6;
}

std::size_t RecordCopies::longestCopy() const {
    return std::max(first ? first->bytes.size() : 0, repeat ? repeat->bytes.size() : 0);
}

std::optional<std::uint8_t> RecordCopies::firstByte() const {
    for (const auto* copy : {&first, &repeat})
        if (*copy && !(*copy)->faulty(0)) return (*copy)->bytes[0];
    return std::nullopt;
}

// A whole copy with the right checksum is taken as it is; otherwise each
// byte comes from a copy that holds it without a fault, as the ROM mends a
// block, the first copy preferred, then the repeat (a byte can be wrong
// with its parity right). Where that leaves a byte without a copy, or the
// checksum wrong, the data stops before it.
Record mend(const RecordCopies& copies, std::size_t dataLength) {
    Record record;
    for (const auto* copy : {&copies.first, &copies.repeat}) {
        if (*copy && wholeAndSummed(**copy, dataLength)) {
            const auto& bytes = (*copy)->bytes;
            record.data.assign(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(dataLength));
            return record;
        }
    }
    const BlockCopy& main = copies.either();
    const BlockCopy* other = copies.first && copies.repeat ? &*copies.repeat : nullptr;
    std::vector<std::uint8_t> mended = mendedBytes(main, other, dataLength);
    if (mended.size() <= dataLength) {
        const std::size_t missing = mended.size();
        record.data = std::move(mended);
        record.damage = Damage{kindOfFault(main, missing), placeOfFault(main, missing), other != nullptr};
        return record;
    }
    for (const BlockCopy* preferred : {&main, other}) {
        if (!preferred) continue;
        std::vector<std::uint8_t> bytes = mendedBytes(*preferred, preferred == other ? &main : other, dataLength);
        if (xorOf(bytes.data(), dataLength) == bytes[dataLength]) {
            bytes.pop_back();
            record.data = std::move(bytes);
            return record;
        }
    }
    // Every byte is there, and the checksum is wrong: the data is good up
    // to where two copies that hold a byte differ, when they do.
    std::size_t good = 0;
    for (; good < dataLength; ++good) {
        if (other && !main.faulty(good) && !other->faulty(good) && main.bytes[good] != other->bytes[good]) break;
    }
    record.data.assign(mended.begin(), mended.begin() + static_cast<std::ptrdiff_t>(good));
    record.damage = Damage{DamageKind::checksum, main.start, other != nullptr};
    return record;
}

RomTapeReader::RomTapeReader(std::shared_ptr<disk::ImageFile> file, const TapHeader& header, TapePosition from)
    : pulses_(std::move(file), header, from) {}

TapePosition RomTapeReader::position() const { return pending_ ? pending_->searchedFrom : here(); }

TapePosition RomTapeReader::here() const { return pushedBack_ ? pushedFrom_ : pulses_.position(); }

// A first copy takes the repeat that follows it; a repeat whose first copy
// was lost stands alone, and so does a first copy followed by another.
std::optional<RecordCopies> RomTapeReader::nextRecord() {
    std::optional<BlockCopy> copy = pending_ ? std::move(pending_) : nextCopy();
    pending_.reset();
    if (!copy) return std::nullopt;
    RecordCopies record;
    if (copy->repeat) {
        record.repeat = std::move(copy);
        record.end = pulses_.position();
        return record;
    }
    record.first = std::move(copy);
    record.end = pulses_.position();
    std::optional<BlockCopy> next = nextCopy();
    if (next && next->repeat) {
        record.repeat = std::move(next);
        record.end = pulses_.position();
    } else {
        pending_ = std::move(next);
    }
    return record;
}

// The next leader, then a countdown; what looks like a leader but is
// followed by no countdown (a turbo loader's, noise) is passed over.
std::optional<BlockCopy> RomTapeReader::nextCopy() {
    BlockCopy copy;
    copy.searchedFrom = here();
    do {
        if (!findLeader()) return std::nullopt;
        copy.start = here();
    } while (!readCountdown(copy));
    readBlockBytes(copy);
    return copy;
}

// Most of the nine bytes count down as one of the two copies' countdowns do.
bool RomTapeReader::readCountdown(BlockCopy& copy) {
    unsigned firstMatches = 0, repeatMatches = 0;
    for (std::size_t counted = 0; counted < countdownLength; ++counted) {
        std::uint8_t value = 0;
        ByteFault fault = ByteFault::none;
        if (readByte(value, fault) != Read::byte) return false;
        if (fault != ByteFault::none) continue;
        firstMatches += value == 0x89 - counted;
        repeatMatches += value == 0x09 - counted;
    }
    copy.repeat = repeatMatches > firstMatches;
    return std::max(firstMatches, repeatMatches) >= countdownMatches;
}

// Bytes up to the end marker, or until the pulses make no more bytes. An
// unreadable stretch stands for as many bytes as its pulses would make.
void RomTapeReader::readBlockBytes(BlockCopy& copy) {
    copy.bytesEnd = here();
    while (copy.bytes.size() < longestBlock && copy.faultsAt.size() < faultsEndingCopy) {
        const TapePosition at = here();
        std::uint8_t value = 0;
        ByteFault fault = ByteFault::none;
        if (readByte(value, fault) != Read::byte) return;
        const std::size_t bytes = fault != ByteFault::unreadable
                                      ? 1
                                      : std::max<std::size_t>(1, (lostPulses_ + pulsesPerByte / 2) / pulsesPerByte);
        for (std::size_t i = 0; i < bytes; ++i) {
            if (fault != ByteFault::none) copy.faultsAt.emplace_back(copy.bytes.size(), at);
            copy.bytes.push_back(value);
            copy.faults.push_back(fault);
        }
        copy.bytesEnd = here();
    }
}

// A run of pulses of one length, the first longer pulse after it left for
// the byte it starts; the run's mean is the tape's short pulse from here.
bool RomTapeReader::findLeader() {
    std::uint64_t sum = 0, count = 0;
    markerRead_ = false;
    while (true) {
        const TapePosition before = here();
        const std::optional<std::uint32_t> cycles = nextPulse();
        if (!cycles) return false;
        if (count == 0 || continuesRun(*cycles, sum, count)) {
            sum += *cycles;
            ++count;
            continue;
        }
        if (count >= leaderPulses && *cycles * count > sum) {
            unit_ = sum * 256 / count;
            pushedBack_ = cycles;
            pushedFrom_ = before;
            return true;
        }
        sum = *cycles;
        count = 1;
    }
}

std::optional<std::uint32_t> RomTapeReader::nextPulse() {
    if (pushedBack_) return std::exchange(pushedBack_, std::nullopt);
    return pulses_.next();
}

// The class whose length is nearest; each pulse classed moves the short
// length a sixteenth of the way towards what it says, so that the classes
// follow a tape whose speed drifts.
RomTapeReader::Pulse RomTapeReader::classify(std::uint32_t cycles) {
    const std::uint64_t scaled = std::uint64_t{cycles} * 256 * 1024;
    auto below = [&](std::uint64_t ratio) { return scaled < unit_ * ratio; };
    if (below(shortestRatio) || !below(longestRatio)) return Pulse::none;
    const Pulse pulse = below(shortOrMediumRatio) ? Pulse::shortPulse
                        : below(mediumOrLongRatio) ? Pulse::mediumPulse
                                                   : Pulse::longPulse;
    const std::uint64_t ratio = pulse == Pulse::shortPulse    ? 1024
                                : pulse == Pulse::mediumPulse ? mediumRatio
                                                              : longRatio;
    unit_ = unit_ - unit_ / 16 + scaled / ratio / 16;
    return pulse;
}

RomTapeReader::Pulse RomTapeReader::nextClass() {
    const std::optional<std::uint32_t> cycles = nextPulse();
    if (!cycles) return Pulse::none;
    return classify(*cycles);
}

// A byte from its marker to its parity bit. Pulses that make no bit spoil
// the byte they are in; the reading goes on at the next marker.
RomTapeReader::Read RomTapeReader::readByte(std::uint8_t& value, ByteFault& fault) {
    lostPulses_ = 0;
    if (!std::exchange(markerRead_, false)) {
        const Pulse marker = nextClass();
        const Pulse second = nextClass();
        if (marker == Pulse::longPulse && second == Pulse::shortPulse) return Read::endOfBlock;
        if (marker != Pulse::longPulse || second != Pulse::mediumPulse) {
            const Read read = resynchronize(second);
            if (read != Read::byte) return read;
            fault = ByteFault::unreadable;
            return Read::byte;
        }
    }
    unsigned bits = 0;
    for (unsigned bit = 0; bit < 9; ++bit) {
        const Pulse a = nextClass();
        const Pulse b = nextClass();
        if (a == Pulse::shortPulse && b == Pulse::mediumPulse) continue;
        if (a == Pulse::mediumPulse && b == Pulse::shortPulse) {
            bits |= 1u << bit;
            continue;
        }
        lostPulses_ = 2 + 2 * bit;
        if (a == Pulse::longPulse && b == Pulse::shortPulse) return Read::endOfBlock;
        if (a == Pulse::longPulse && b == Pulse::mediumPulse) {
            markerRead_ = true;
        } else if (const Read read = resynchronize(b); read != Read::byte) {
            return read;
        }
        fault = ByteFault::unreadable;
        return Read::byte;
    }
    value = static_cast<std::uint8_t>(bits);
    fault = oddParity(value, bits >> 8) ? ByteFault::none : ByteFault::parity;
    return Read::byte;
}

// Passes over pulses up to the next marker, which is then read: a byte's
// (long, medium) or the block's end (long, short). A run of short pulses is
// the next leader, so the block has ended without its end marker.
RomTapeReader::Read RomTapeReader::resynchronize(Pulse previous) {
    std::size_t shorts = previous == Pulse::shortPulse ? 1 : 0;
    for (std::size_t passed = 0; passed < resynchronizationPulses; ++passed) {
        const std::optional<std::uint32_t> cycles = nextPulse();
        if (!cycles) return Read::lost;
        const Pulse pulse = classify(*cycles);
        ++lostPulses_;
        if (previous == Pulse::longPulse && pulse == Pulse::shortPulse) return Read::endOfBlock;
        if (previous == Pulse::longPulse && pulse == Pulse::mediumPulse) {
            markerRead_ = true;
            return Read::byte;
        }
        shorts = pulse == Pulse::shortPulse ? shorts + 1 : 0;
        if (shorts >= shortsEndingBlock) return Read::lost;
        previous = pulse;
    }
    return Read::lost;
}

}  // namespace nuk::tape
