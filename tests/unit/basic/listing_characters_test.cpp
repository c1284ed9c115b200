// Every byte in quotes, listed in each character set and text mode, reads
// back as itself: no two bytes share a text.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "../piece_source.hpp"
#include "basic/listing_input.hpp"
#include "basic/program_listing.hpp"

namespace {

// Two lines: a line typed on the machine holds at most 255 bytes.
std::vector<std::uint8_t> everyByteInQuotes() {
    std::vector<std::uint8_t> program = {0x01, 0x08};
    unsigned address = 0x0801;
    for (const int first : {1, 0x80}) {
        std::vector<std::uint8_t> text = {'"'};
        for (int byte = first; byte < first + 0x7F + (first == 0x80); ++byte) {
            if (byte != '"') text.push_back(static_cast<std::uint8_t>(byte));
        }
        text.push_back('"');
        address += 4 + static_cast<unsigned>(text.size()) + 1;
        program.insert(program.end(), {static_cast<std::uint8_t>(address), static_cast<std::uint8_t>(address >> 8),
                                       static_cast<std::uint8_t>(first), 0});
        program.insert(program.end(), text.begin(), text.end());
        program.push_back(0);
    }
    program.insert(program.end(), {0, 0});
    return program;
}

TEST(ListingCharacters, EveryByteInQuotesReadsBackInEveryTextMode) {
    const std::vector<std::uint8_t> program = everyByteInQuotes();
    for (const CharacterSet set : {CharacterSet::graphics, CharacterSet::lowercase}) {
        for (const nuk::con::TextMode mode : {nuk::con::unicode, nuk::con::ascii, nuk::con::codePage}) {
            SCOPED_TRACE(std::to_string(static_cast<int>(set)) + " " + std::to_string(mode));
            test::PieceSource source(program, {4096}, true);
            basic::ListingSettings listing;
            listing.characterSet = set;
            listing.textMode = mode;
            std::string text;
            basic::listProgram(source, listing, [&text](const std::string& piece) { text += piece; });
            test::PieceSource listed(std::vector<std::uint8_t>(text.begin(), text.end()), {4096}, true);
            basic::ListingInputSettings reading;
            reading.characterSet = set;
            std::ostringstream out;
            EXPECT_FALSE(basic::readListing(listed, reading, out));
            EXPECT_EQ(out.str(), std::string(program.begin(), program.end())) << text;
        }
    }
}

}  // namespace
