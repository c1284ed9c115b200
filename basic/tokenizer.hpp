#pragma once
// A line's text stored as the machine's own tokenizer stores a typed line:
// outside quotes each keyword becomes its token, matched in table order at
// each position (a shifted letter ends an abbreviation, "?" is PRINT);
// spaces stay; digits, ":" and ";" are never the start of a keyword; after
// REM the rest of the line stays as it is, after DATA the text up to the
// next ":" outside quotes.

#include <cstdint>
#include <vector>

#include "basic/keywords.hpp"
#include "basic/listing_characters.hpp"

namespace basic {

class Tokenizer {
public:
    explicit Tokenizer(Dialect dialect);

    // The stored text of a line of characters; a character written as
    // {$xx} is kept as that byte.
    std::vector<std::uint8_t> tokenize(const std::vector<ReadCharacter>& text) const;

    // The characters that the keyword matched at `at` takes, 0 where none is.
    std::size_t keywordLength(const std::vector<ReadCharacter>& text, std::size_t at) const {
        std::size_t length = 0;
        longestMatch(text, at, length);
        return length;
    }

private:
    struct Entry {
        std::string_view word;
        std::uint8_t token[2];
        std::size_t length;  // of the token: 1, or 2 for BASIC 7's prefixed keywords
    };
    std::size_t matchLength(const Entry& entry, const std::vector<ReadCharacter>& text, std::size_t at) const;
    const Entry* longestMatch(const std::vector<ReadCharacter>& text, std::size_t at, std::size_t& length) const;

    std::vector<Entry> entries_;  // in the order the machine tries them
};

}  // namespace basic
