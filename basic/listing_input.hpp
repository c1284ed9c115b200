#pragma once
// LIST text read back into the program: each line's number and text,
// tokenized as the machine does, behind the links LOAD would set, with the
// load address in front and the $0000 link at the end. A dump that follows
// the lines (what a listing shows after the program's end) is read back as
// the bytes after the program, from the address where the program ends.

#include <cstdint>
#include <optional>
#include <ostream>

#include "basic/keywords.hpp"
#include "files/block_source.hpp"
#include "petscii/petscii.hpp"
#include "reverse/reverse_dump.hpp"

namespace basic {

struct ListingInputSettings {
    Dialect dialect = Dialect::basic2;
    std::uint16_t loadAddress = 0x0801;
    CharacterSet characterSet = CharacterSet::graphics;  // the set the listing was written in
};

// The start of BASIC on the machines of a dialect.
std::uint16_t basicStart(Dialect dialect);

// Writes the program to `out`, up to the first line that is no line of a
// listing; then that line's fault comes back.
std::optional<undump::Fault> readListing(nuk::BlockSource& source, const ListingInputSettings& settings,
                                         std::ostream& out);

}  // namespace basic
