// A line's characters stored as the machine's tokenizer stores a typed line.

#include "basic/tokenizer.hpp"

namespace basic {

namespace {

constexpr std::uint8_t remToken = 0x8F;
constexpr std::uint8_t dataToken = 0x83;
constexpr std::uint8_t printToken = 0x99;

bool isLetter(std::uint8_t byte) { return byte >= 0x41 && byte <= 0x5A; }

}  // namespace

// The one-byte tokens first, then BASIC 7's statements and functions. Pi is
// no keyword to type: its key gives the byte $FF itself.
Tokenizer::Tokenizer(Dialect dialect) {
    for (int token = 0x80; token < 0xFF; ++token) {
        const std::string_view word = keyword(dialect, static_cast<std::uint8_t>(token));
        if (!word.empty()) entries_.push_back({word, {static_cast<std::uint8_t>(token), 0}, 1});
    }
    if (dialect != Dialect::basic7) return;
    for (const std::uint8_t prefix : {statementPrefix, functionPrefix}) {
        for (int second = 0; second < 0x100; ++second) {
            const std::string_view word = prefixedKeyword(prefix, static_cast<std::uint8_t>(second));
            if (!word.empty()) entries_.push_back({word, {prefix, static_cast<std::uint8_t>(second)}, 2});
        }
    }
}

// The characters the keyword takes at `at`, 0 when it does not match: all
// of it, or up to a shifted letter that ends it as an abbreviation.
std::size_t Tokenizer::matchLength(const Entry& entry, const std::vector<ReadCharacter>& text, std::size_t at) const {
    for (std::size_t i = 0; i < entry.word.size(); ++i) {
        if (at + i >= text.size() || text[at + i].exact) return 0;
        const std::uint8_t typed = text[at + i].byte;
        const auto wanted = static_cast<std::uint8_t>(entry.word[i]);
        if (typed == wanted) continue;
        if (i > 0 && isLetter(wanted) && typed == (wanted | 0x80)) return i + 1;
        return 0;
    }
    return entry.word.size();
}

// The first keyword in table order among those that take the most
// characters: in table order a keyword never comes before a longer one it
// begins, but for BASIC 7's DO, which its DOPEN begins.
const Tokenizer::Entry* Tokenizer::longestMatch(const std::vector<ReadCharacter>& text, std::size_t at,
                                                std::size_t& length) const {
    const Entry* best = nullptr;
    length = 0;
    for (const Entry& entry : entries_) {
        const std::size_t taken = matchLength(entry, text, at);
        if (taken > length) {
            best = &entry;
            length = taken;
        }
    }
    return best;
}

std::vector<std::uint8_t> Tokenizer::tokenize(const std::vector<ReadCharacter>& text) const {
    std::vector<std::uint8_t> stored;
    bool inQuotes = false;
    bool inRem = false;
    bool inData = false;
    for (std::size_t at = 0; at < text.size();) {
        const std::uint8_t byte = text[at].byte;
        const bool keepAsItIs = text[at].exact || inQuotes || inRem || byte >= 0x80 || byte == ' ' ||
                                (byte >= '0' && byte <= ';') || byte == quote || (inData && byte != ':');
        if (byte == quote) inQuotes = !inQuotes;
        if (inData && !inQuotes && byte == ':') inData = false;
        if (keepAsItIs || inData) {
            stored.push_back(byte);
            ++at;
            continue;
        }
        if (byte == '?') {
            stored.push_back(printToken);
            ++at;
            continue;
        }
        std::size_t length = 0;
        const Entry* entry = longestMatch(text, at, length);
        if (entry == nullptr) {
            stored.push_back(byte);
            ++at;
            continue;
        }
        stored.insert(stored.end(), entry->token, entry->token + entry->length);
        at += length;
        inRem = entry->length == 1 && entry->token[0] == remToken;
        inData = entry->length == 1 && entry->token[0] == dataToken;
    }
    return stored;
}

}  // namespace basic
