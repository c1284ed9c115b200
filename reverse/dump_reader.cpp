// Following the lines of dumps and writing the bytes they show.

#include "reverse/dump_reader.hpp"

namespace undump {

namespace {

constexpr const char* notADumpLine = "not a dump line";

std::uint64_t addressMask(unsigned digits) { return (std::uint64_t{1} << (4 * digits)) - 1; }

}  // namespace

std::string addressText(std::uint64_t address, unsigned digits) {
    static const char* const hexDigits = "0123456789abcdef";
    std::string text(digits, '0');
    for (unsigned i = digits; i-- > 0; address >>= 4) text[i] = hexDigits[address & 15];
    return text;
}

std::optional<Fault> DumpReader::take(const DumpLine& line, const std::uint8_t* bytes, std::uint64_t lineNumber) {
    std::string fault;
    switch (line.kind) {
    case LineKind::bytes: fault = takeBytes(line, bytes); break;
    case LineKind::squeeze:
        if (!inDump_ || squeezeLine_ != 0) fault = notADumpLine;
        squeezeLine_ = lineNumber;
        break;
    case LineKind::place:
        if (inDump_) break;  // the bytes after it go on with the dump
        return endDump();
    case LineKind::empty:
    case LineKind::path: return endDump();
    case LineKind::picture: fault = "pictures of the bits (--pixels) are not read back"; break;
    case LineKind::broken: fault = notADumpLine; break;
    }
    if (fault.empty()) return std::nullopt;
    return Fault{lineNumber, fault};
}

std::optional<Fault> DumpReader::endDump() {
    if (squeezeLine_ != 0) return Fault{squeezeLine_, "no dump line after '*'"};
    inDump_ = false;
    return std::nullopt;
}

std::string DumpReader::takeBytes(const DumpLine& line, const std::uint8_t* bytes) {
    if (!inDump_) {
        beginDump(line);
    } else if (std::string fault = follow(line); !fault.empty()) {
        return fault;
    }
    // The end of an input shows as "--" to the end of its dump.
    if (ended_ && line.present > 0) return notADumpLine;
    sink_.put(bytes, line.present);
    if (line.present < line.positions) ended_ = true;
    expected_ += line.positions;
    previous_.assign(bytes, bytes + line.present);
    previousPositions_ = line.positions;
    return {};
}

void DumpReader::beginDump(const DumpLine& line) {
    inDump_ = true;
    ended_ = false;
    digits_ = line.digits;
    expected_ = line.address;
    if (settings_.loadAddress) {
        const std::uint8_t load[2] = {static_cast<std::uint8_t>(line.address & 0xFF),
                                      static_cast<std::uint8_t>(line.address >> 8 & 0xFF)};
        sink_.put(load, 2);
    }
}

// Checks the line's address against the end of the line before and
// writes the copies a "*" stands for. Addresses show their low digits
// only, so five-digit addresses compare modulo $100000.
std::string DumpReader::follow(const DumpLine& line) {
    const std::uint64_t mask = addressMask(digits_);
    if (line.digits == digits_) {
        const std::uint64_t distance = (line.address - expected_) & mask;
        if (distance == 0) {
            squeezeLine_ = 0;
            return {};
        }
        if (squeezeLine_ != 0 && distance % previousPositions_ == 0) {
            squeezeLine_ = 0;
            return repeatPrevious(distance / previousPositions_);
        }
    }
    return "address " + addressText(line.address, line.digits) + " does not follow (expected " +
           addressText(expected_ & mask, digits_) + ")";
}

std::string DumpReader::repeatPrevious(std::uint64_t copies) {
    if (ended_ && !previous_.empty()) return notADumpLine;
    for (std::uint64_t i = 0; i < copies && !sink_.failed(); ++i) sink_.put(previous_.data(), previous_.size());
    expected_ += copies * previousPositions_;
    return {};
}

}  // namespace undump
