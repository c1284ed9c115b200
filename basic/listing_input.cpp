// A listing read back a line at a time into the program it shows.

#include "basic/listing_input.hpp"

#include <string>
#include <vector>

#include "basic/listing_characters.hpp"
#include "basic/tokenizer.hpp"
#include "reverse/byte_sink.hpp"
#include "reverse/dump_reader.hpp"
#include "reverse/line_source.hpp"

namespace basic {

namespace {

constexpr unsigned highestLineNumber = 63999;

struct Line {
    unsigned number = 0;
    std::vector<ReadCharacter> text;
};

class ProgramWriter {
public:
    ProgramWriter(const ListingInputSettings& settings, undump::ByteSink& sink)
        : tokenizer_(settings.dialect), reader_(settings.characterSet), sink_(sink), address_(settings.loadAddress) {
        const std::uint8_t load[2] = {low(address_), high(address_)};
        sink_.put(load, 2);
    }

    // The fault of the line, if any; a line of nothing but spaces is passed over.
    std::optional<std::string> take(const char* begin, const char* end) {
        while (begin < end && *begin == ' ') ++begin;
        if (begin == end) return std::nullopt;
        Line line;
        if (auto fault = readNumber(begin, end, line.number)) return fault;
        if (begin < end && *begin == ' ') ++begin;  // LIST's space after the number
        while (begin < end) {
            const std::optional<ReadCharacter> character = reader_.read(begin, end);
            if (!character) return "no character of the machine: '" + firstCharacter(begin, end) + "'";
            line.text.push_back(*character);
        }
        return store(line);
    }

    // The $0000 link after the last line; the address after it.
    std::uint64_t end() {
        const std::uint8_t link[2] = {0, 0};
        sink_.put(link, 2);
        return address_ + 2;
    }

private:
    static std::uint8_t low(std::uint64_t value) { return static_cast<std::uint8_t>(value & 0xFF); }
    static std::uint8_t high(std::uint64_t value) { return static_cast<std::uint8_t>(value >> 8 & 0xFF); }

    static std::string firstCharacter(const char* begin, const char* end) {
        const char* after = begin + 1;
        while (after < end && (static_cast<unsigned char>(*after) & 0xC0) == 0x80) ++after;
        return std::string(begin, after);
    }

    std::optional<std::string> readNumber(const char*& at, const char* end, unsigned& number) const {
        if (at == end || *at < '0' || *at > '9') return std::string("no line number");
        unsigned long value = 0;
        for (; at < end && *at >= '0' && *at <= '9'; ++at) {
            if (value <= highestLineNumber) value = value * 10 + static_cast<unsigned>(*at - '0');
        }
        if (value > highestLineNumber) return "line number above " + std::to_string(highestLineNumber);
        if (previous_ && value <= *previous_) {
            return "line " + std::to_string(value) + " does not follow line " + std::to_string(*previous_);
        }
        number = static_cast<unsigned>(value);
        return std::nullopt;
    }

    std::optional<std::string> store(const Line& line) {
        const std::vector<std::uint8_t> text = tokenizer_.tokenize(line.text);
        const std::uint64_t next = address_ + 4 + text.size() + 1;
        // The end link must still fit below $10000.
        if (next + 2 > 0x10000) return std::string("the program runs past $ffff");
        const std::uint8_t head[4] = {low(next), high(next), low(line.number), high(line.number)};
        sink_.put(head, 4);
        sink_.put(text.data(), text.size());
        const std::uint8_t lineEnd = 0;
        sink_.put(&lineEnd, 1);
        address_ = next;
        previous_ = line.number;
        return std::nullopt;
    }

    const Tokenizer tokenizer_;
    const CharacterReader reader_;
    undump::ByteSink& sink_;
    std::uint64_t address_;
    std::optional<unsigned> previous_;
};

}  // namespace

std::uint16_t basicStart(Dialect dialect) {
    switch (dialect) {
    case Dialect::basic2: return 0x0801;
    case Dialect::basic4: return 0x0401;
    case Dialect::basic35: return 0x1001;
    case Dialect::basic7: return 0x1C01;
    }
    return 0x0801;
}

std::optional<undump::Fault> readListing(nuk::BlockSource& source, const ListingInputSettings& settings,
                                         std::ostream& out) {
    undump::ByteSink sink(out);
    ProgramWriter program(settings, sink);
    const undump::ReverseSettings dumpSettings;
    undump::DumpReader dump(dumpSettings, sink);
    std::optional<std::uint64_t> programEnd;  // once the lines are over
    undump::LineSource lines(source);
    std::vector<std::uint8_t> bytes;
    const char* begin = nullptr;
    const char* end = nullptr;
    while (!sink.failed() && lines.next(begin, end)) {
        const std::uint64_t number = lines.lineNumber();
        if (lines.tooLong()) return undump::Fault{number, "line too long"};
        const auto length = static_cast<std::size_t>(end - begin);
        if (bytes.size() < undump::mostBytesOf(length)) bytes.resize(undump::mostBytesOf(length));
        const undump::DumpLine line = undump::readDumpLine(begin, end, bytes.data());
        if (!programEnd && line.kind == undump::LineKind::bytes) {
            programEnd = program.end();
            if (line.address != *programEnd) {
                return undump::Fault{number, "address " + undump::addressText(line.address, line.digits) +
                                                 " is not where the program ends (" +
                                                 undump::addressText(*programEnd, 4) + ")"};
            }
        }
        if (programEnd) {
            if (auto fault = dump.take(line, bytes.data(), number)) return fault;
        } else if (auto fault = program.take(begin, end)) {
            return undump::Fault{number, *fault};
        }
    }
    if (!programEnd) program.end();
    return dump.endDump();
}

}  // namespace basic
