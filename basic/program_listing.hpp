#pragma once
// A BASIC program listed as the machine's LIST shows it, after the
// machine's LOAD: the lines are found by the $00 that ends each one (LOAD
// relinks them, so stored links are not followed) and the program ends at a
// link whose high byte is $00, or at the end of the input. Each line is its
// number, a space and its text; outside quotes a token is its keyword, also
// inside REM and DATA.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "basic/keywords.hpp"
#include "basic/listing_characters.hpp"
#include "files/block_source.hpp"

namespace basic {

struct ListingSettings {
    std::optional<Dialect> dialect;           // named; otherwise chosen by the load address
    std::optional<std::uint16_t> loadAddress;  // instead of the program's own
    std::optional<std::uint64_t> limit;        // the most bytes of the input taken, load address included
    CharacterSet characterSet = CharacterSet::graphics;
    nuk::con::TextMode textMode = nuk::con::ascii;
};

// The dialect a program is in, by its load address; for $1001 (VIC-20, C16
// and Plus/4) by whether it uses BASIC 3.5's tokens. Nothing for an address
// no machine loads BASIC at.
std::optional<Dialect> dialectAt(std::uint16_t loadAddress, bool usesBasic35Tokens);

struct ListingResult {
    bool listed = false;             // false: the input is no BASIC program and nothing was written
    std::uint16_t loadAddress = 0;
    std::uint64_t taken = 0;         // bytes of the input in the program (all read bytes when not listed)
    std::vector<std::uint8_t> held;  // bytes read from the input past them
};

// Lists the program at the source's position, passing the text to `write`
// in pieces of lines; a line of any length is written a piece at a time.
ListingResult listProgram(nuk::BlockSource& source, const ListingSettings& settings,
                          const std::function<void(const std::string&)>& write);

}  // namespace basic
