// The lines of an input in order: a dump begins with its first line of bytes
// and ends at an empty line, a path line or the end of the input; a line
// that names a disk's sector inside it is passed over. Within a
// dump every line starts where the one before ended, or, after a "*", a
// whole number of copies of the line before further on.

#include "reverse/reverse_dump.hpp"

#include <vector>

#include "reverse/byte_sink.hpp"
#include "reverse/dump_line.hpp"
#include "reverse/line_source.hpp"

namespace undump {

namespace {

std::string addressText(std::uint64_t address, unsigned digits) {
    static const char* const hexDigits = "0123456789abcdef";
    std::string text(digits, '0');
    for (unsigned i = digits; i-- > 0; address >>= 4) text[i] = hexDigits[address & 15];
    return text;
}

std::uint64_t addressMask(unsigned digits) { return (std::uint64_t{1} << (4 * digits)) - 1; }

class DumpReader {
public:
    DumpReader(const ReverseSettings& settings, ByteSink& sink) : settings_(settings), sink_(sink) {}

    // The fault that the line shows, if any.
    std::optional<Fault> take(const DumpLine& line, const std::uint8_t* bytes, std::uint64_t lineNumber) {
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

    // A "*" stands for lines up to the next one, so one must follow.
    std::optional<Fault> endDump() {
        if (squeezeLine_ != 0) return Fault{squeezeLine_, "no dump line after '*'"};
        inDump_ = false;
        return std::nullopt;
    }

private:
    static constexpr const char* notADumpLine = "not a dump line";

    std::string takeBytes(const DumpLine& line, const std::uint8_t* bytes) {
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

    void beginDump(const DumpLine& line) {
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
    std::string follow(const DumpLine& line) {
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

    std::string repeatPrevious(std::uint64_t copies) {
        if (ended_ && !previous_.empty()) return notADumpLine;
        for (std::uint64_t i = 0; i < copies && !sink_.failed(); ++i) sink_.put(previous_.data(), previous_.size());
        expected_ += copies * previousPositions_;
        return {};
    }

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

}  // namespace

std::optional<Fault> reverseDump(nuk::BlockSource& source, const ReverseSettings& settings, std::ostream& out) {
    ByteSink sink(out);
    DumpReader reader(settings, sink);
    LineSource lines(source);
    std::vector<std::uint8_t> bytes;
    const char* begin = nullptr;
    const char* end = nullptr;
    while (!sink.failed() && lines.next(begin, end)) {
        if (lines.tooLong()) return Fault{lines.lineNumber(), "not a dump line"};
        const auto length = static_cast<std::size_t>(end - begin);
        if (bytes.size() < mostBytesOf(length)) bytes.resize(mostBytesOf(length));
        const DumpLine line = readDumpLine(begin, end, bytes.data());
        if (auto fault = reader.take(line, bytes.data(), lines.lineNumber())) return fault;
    }
    return reader.endDump();
}

}  // namespace undump
