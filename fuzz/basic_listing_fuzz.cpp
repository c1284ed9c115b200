// BASIC listings: the fuzzer's bytes taken as a program are listed in a
// dialect, character set and text mode of its choosing, and the listing is
// read back; the program that comes back, which the tokenizer made, lists
// and reads back as itself (but for what follows a REM or a DATA, where
// LIST shows the bytes of shifted keys as keywords). The same bytes taken
// as a listing are read without reading outside them (the sanitizers watch).

#include <sstream>
#include <string>
#include <vector>

#include "basic/listing_input.hpp"
#include "basic/program_listing.hpp"
#include "fuzz/fuzz_support.hpp"
#include "tests/unit/piece_source.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

struct Choice {
    basic::Dialect dialect;
    CharacterSet set;
    nuk::con::TextMode mode;
    std::size_t piece;
};

std::string listed(const Bytes& program, const Choice& choice) {
    test::PieceSource source(program, {choice.piece}, false);
    basic::ListingSettings settings;
    settings.dialect = choice.dialect;
    settings.characterSet = choice.set;
    settings.textMode = choice.mode;
    std::string text;
    basic::listProgram(source, settings, [&text](const std::string& piece) { text += piece; });
    return text;
}

Bytes readBack(const std::string& text, const Choice& choice, bool& faulted) {
    test::PieceSource source(Bytes(text.begin(), text.end()), {choice.piece}, false);
    basic::ListingInputSettings settings;
    settings.dialect = choice.dialect;
    settings.characterSet = choice.set;
    std::ostringstream out;
    faulted = basic::readListing(source, settings, out).has_value();
    const std::string bytes = out.str();
    return Bytes(bytes.begin(), bytes.end());
}

bool holdsRemOrData(const Bytes& program) {
    for (const std::uint8_t byte : program) {
        if (byte == 0x8F || byte == 0x83) return true;
    }
    return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t size) {
    fuzz::ByteReader reader(bytes, size);
    const std::uint8_t options = reader.byte();
    const Choice choice{static_cast<basic::Dialect>(options % 4), characterSet((options & 4) != 0),
                        (options & 8) != 0 ? nuk::con::ascii : nuk::con::unicode,
                        static_cast<std::size_t>(reader.inRange(1, 300, 2))};
    const std::uint16_t start = basic::basicStart(choice.dialect);
    Bytes program = {static_cast<std::uint8_t>(start), static_cast<std::uint8_t>(start >> 8)};
    program.insert(program.end(), reader.rest(), reader.rest() + reader.restSize());

    bool faulted = false;
    const std::string first = listed(program, choice);
    const Bytes tokenized = readBack(first, choice, faulted);
    if (!faulted && !holdsRemOrData(tokenized)) {
        const std::string second = listed(tokenized, choice);
        fuzz::check(readBack(second, choice, faulted) == tokenized && !faulted,
                    "a tokenized program lists and reads back as itself", fuzz::shown(second.substr(0, 400)));
    }
    readBack(std::string(bytes, bytes + size), choice, faulted);
    return 0;
}
