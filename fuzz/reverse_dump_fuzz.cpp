// Dumps read back: the fuzzer's bytes dumped in a notation, case, width,
// text mode and character set of its choosing, from an address of its
// choosing, and read back with -r through a source that hands the text out
// in pieces, must give the same bytes without a fault. The same bytes taken
// as a dump themselves must be read without reading outside them (the
// sanitizers watch), whatever they hold.

#include <sstream>
#include <string>
#include <vector>

#include "dump/dump.hpp"
#include "fuzz/fuzz_support.hpp"
#include "reverse/reverse_dump.hpp"
#include "tests/unit/piece_source.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::string reversed(const std::string& dump, std::size_t piece, std::optional<undump::Fault>& fault) {
    test::PieceSource source(Bytes(dump.begin(), dump.end()), {piece}, false);
    std::ostringstream out;
    fault = undump::reverseDump(source, undump::ReverseSettings{}, out);
    return out.str();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    fuzz::ByteReader reader(bytes, size);
    const std::uint8_t choice = reader.byte();
    LineFormat format;
    format.width = reader.inRange(1, 80, 1);
    format.hexStyle = static_cast<HexStyle>(choice % 3);
    format.upperCaseHex = (choice & 4) != 0;
    format.textMode = (choice & 8) != 0 ? nuk::con::ascii : nuk::con::unicode;
    format.characterSet = characterSet((choice & 16) != 0);
    const std::uint64_t start = reader.number(3) & 0xFFFFF;
    const std::size_t piece = static_cast<std::size_t>(reader.inRange(1, 300, 2));
    const Bytes data(reader.rest(), reader.rest() + reader.restSize());

    std::ostringstream dump;
    dumpBytes(data, data.size(), start, 0, format, dump);
    std::optional<undump::Fault> fault;
    const std::string back = reversed(dump.str(), piece, fault);
    fuzz::check(!fault, "a dump reads back without a fault", fault ? fault->text : std::string());
    fuzz::check(back == std::string(data.begin(), data.end()), "a dump reads back into its bytes",
                fuzz::shown(dump.str().substr(0, 400)));

    reversed(std::string(bytes, bytes + size), piece, fault);
    return 0;
}
