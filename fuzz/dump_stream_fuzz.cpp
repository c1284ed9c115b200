// The dump as the program runs it: dumpFile reading its input through a
// source that hands the bytes out in pieces of the fuzzer's choosing, with
// or without its size known beforehand, and failing at a point of the
// fuzzer's choosing. The settings are the fuzzer's too. What it writes must
// be what the whole-input formatter writes for the same bytes; when the
// source failed, every byte that arrived must be shown (the address width
// may then differ, as the dump had to decide it before the end), and the
// failure's message must come back.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "dump/dump.hpp"
#include "files/block_source.hpp"
#include "fuzz/fuzz_support.hpp"
#include "tests/unit/piece_source.hpp"
#include "tests/unit/whole_dump.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

using test::PieceSource;
using test::wholeDump;

// The lines with each address cut to its low 16 bits, and the widths the
// addresses were written with.
std::string withShortAddresses(const std::string& dump, std::vector<std::size_t>& widths) {
    std::string result;
    std::size_t begin = 0;
    for (std::size_t end; (end = dump.find('\n', begin)) != std::string::npos; begin = end + 1) {
        const std::size_t colon = dump.find(": ", begin);
        if (colon == std::string::npos || colon >= end || colon < begin + 4)
            fuzz::fail("every line has an address", fuzz::shown(dump.substr(begin, end - begin)));
        widths.push_back(colon - begin);
        result += dump.substr(colon - 4, end + 1 - (colon - 4));
    }
    if (begin != dump.size()) fuzz::fail("the dump ends with a complete line", fuzz::shown(dump.substr(begin)));
    return result;
}

void checkArrivedBytesShown(const std::string& written, const Bytes& data, const DumpSettings& r,
                            std::size_t arrived) {
    const Bytes known(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(arrived));
    const std::uint64_t first = r.seek + (r.load ? 2 : 0);
    const std::uint64_t shown = arrived > first ? arrived - first : 0;
    std::vector<std::size_t> widths, expectedWidths;
    const std::string expected = wholeDump(known, r, shown);
    if (withShortAddresses(written, widths) != withShortAddresses(expected, expectedWidths))
        fuzz::fail("a failing read shows every byte that arrived, and no position as missing",
                   "written '" + fuzz::shown(written) + "' expected '" + fuzz::shown(expected) + "'");
    fuzz::check(std::count(widths.begin(), widths.end(), widths.empty() ? 0 : widths.front()) ==
                    static_cast<std::ptrdiff_t>(widths.size()),
                "every line has the same address width");
    // Four digits only where every address shown fits them.
    if (!widths.empty() && widths.front() == 4)
        fuzz::check(expectedWidths.front() == 4, "four address digits only while the addresses fit");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    fuzz::ByteReader input(bytes, size);
    const std::uint8_t flags = input.byte();
    const std::uint8_t more = input.byte();
    DumpSettings r;
    r.format.hexStyle = flags & 1 ? HexStyle::turbo : flags & 2 ? HexStyle::c : HexStyle::plain;
    r.format.upperCaseHex = flags & 4;
    r.format.characterSet = characterSet(flags & 8);
    r.format.textMode = flags & 16 ? nuk::con::unicode : nuk::con::ascii;
    r.load = flags & 32;
    // Values stay below 2^31: larger ones take the same paths.
    if (flags & 64) r.seek = more & 1 ? input.number(4) >> 1 : input.inRange(0, 0x12000, 3);
    if (flags & 128) r.length = more & 2 ? input.number(4) >> 1 : input.inRange(0, 0x12000, 3);
    if (more & 4) r.start = input.number(3);
    r.format.width = input.inRange(1, more & 8 ? 65536 : 40, 3);
    const bool sized = more & 16;
    // The payload repeated up to a size of the fuzzer's choosing, so that
    // short inputs reach past $FFFF as well.
    const auto inputSize = static_cast<std::size_t>(input.inRange(0, more & 32 ? 0x12000 : 300, 3));
    const std::size_t failAfter = more & 64 ? static_cast<std::size_t>(input.inRange(0, inputSize, 3)) : PieceSource::noFailure;
    std::vector<std::size_t> pieces;
    for (std::uint64_t n = input.inRange(1, 4, 1); n > 0; --n)
        pieces.push_back(static_cast<std::size_t>(input.inRange(1, more & 128 ? 0x11000 : 64, 3)));
    Bytes data(inputSize);
    for (std::size_t i = 0; i < inputSize; ++i) data[i] = input.restSize() > 0 ? input.rest()[i % input.restSize()] : 0;

    PieceSource source(data, pieces, sized, failAfter);
    std::ostringstream out;
    const std::optional<nuk::cli::Msg> message = dumpFile(source, {}, r, out);

    fuzz::check(!source.askedForNothing(), "a source is never asked for 0 bytes");
    fuzz::check(message.has_value() == source.failure().has_value(), "the source's failure is the dump's message");
    if (source.failure()) {
        checkArrivedBytesShown(out.str(), data, r, source.taken());
    } else {
        const std::string expected = wholeDump(data, r);
        if (out.str() != expected)
            fuzz::fail("a dump read in pieces is the dump of the whole input",
                       "written '" + fuzz::shown(out.str()) + "' expected '" + fuzz::shown(expected) + "'");
    }
    return 0;
}
