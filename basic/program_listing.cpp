#include "basic/program_listing.hpp"

#include <algorithm>
#include <limits>

namespace basic {

namespace {

constexpr std::uint8_t quote = 0x22;
// The most text a line can hold when typed on the machine.
constexpr std::size_t longestTypedLine = 255;
// A program the machine loads fits in its 64K.
constexpr std::size_t largestProgram = 0x10000;
constexpr std::size_t pieceOfText = 4096;

// The input a byte at a time, with bytes read ahead kept until they are taken.
class ProgramBytes {
public:
    ProgramBytes(nuk::BlockSource& source, std::optional<std::uint64_t> limit)
        : source_(source), left_(limit.value_or(std::numeric_limits<std::uint64_t>::max())) {}

    // Reads ahead until n bytes wait or the input ends; returns how many wait.
    std::size_t ahead(std::size_t n) {
        while (held_.size() - next_ < n && left_ > 0) {
            if (forgetTaken_ && next_ > 0 && next_ == held_.size()) {
                held_.clear();
                next_ = 0;
            }
            std::uint8_t block[4096];
            const auto ask = static_cast<std::size_t>(std::min<std::uint64_t>(sizeof block, left_));
            const std::size_t got = source_.read(block, ask);
            if (got == 0) break;
            left_ -= got;
            held_.insert(held_.end(), block, block + got);
        }
        return std::min(n, held_.size() - next_);
    }

    std::uint8_t at(std::size_t i) const { return held_[next_ + i]; }

    bool take(std::uint8_t& byte) {
        if (ahead(1) == 0) return false;
        byte = held_[next_++];
        ++taken_;
        return true;
    }

    void skip(std::size_t n) {
        next_ += n;
        taken_ += n;
    }

    // Until then, every byte read stays, for an input that is no program.
    void forgetTakenBytes() { forgetTaken_ = true; }
    std::vector<std::uint8_t> everythingRead() const { return held_; }

    std::uint64_t taken() const { return taken_; }
    std::vector<std::uint8_t> held() const { return {held_.begin() + static_cast<std::ptrdiff_t>(next_), held_.end()}; }

private:
    nuk::BlockSource& source_;
    std::uint64_t left_;
    std::vector<std::uint8_t> held_;
    std::size_t next_ = 0;
    std::uint64_t taken_ = 0;
    bool forgetTaken_ = false;
};

constexpr std::uint8_t remToken = 0x8F;
constexpr std::uint8_t dataToken = 0x83;

bool isBasic35Token(std::uint8_t byte) { return byte >= 0xCC && byte <= 0xFD; }

// Whether the program from the first line on (`ahead` bytes waiting) uses a
// token of BASIC 3.5 where the machine's tokenizer puts tokens: not in
// quotes, nor after a REM or in a DATA, which keep the shifted letters that
// VIC-20 programs use for graphics ($CC-$DA among them).
bool usesBasic35Tokens(const ProgramBytes& bytes, std::size_t ahead) {
    std::size_t i = 0;
    while (i + 4 <= ahead && bytes.at(i + 1) != 0) {
        bool inQuotes = false;
        bool inRem = false;
        bool inData = false;
        for (i += 4; i < ahead && bytes.at(i) != 0; ++i) {
            const std::uint8_t byte = bytes.at(i);
            if (byte == quote) inQuotes = !inQuotes;
            if (inQuotes || inRem) continue;
            if (inData) {
                inData = byte != ':';
                continue;
            }
            if (isBasic35Token(byte)) return true;
            inRem = byte == remToken;
            inData = byte == dataToken;
        }
        ++i;
    }
    return false;
}

// A program's first line has a link whose high byte is not $00 and ends
// where a typed line can end; machine code rarely does both.
bool startsLikeAProgram(ProgramBytes& bytes) {
    const std::size_t ahead = bytes.ahead(4 + longestTypedLine + 1);
    if (ahead < 5 || bytes.at(1) == 0) return false;
    for (std::size_t i = 4; i < ahead; ++i) {
        if (bytes.at(i) == 0) return true;
    }
    return false;
}

class LineLister {
public:
    LineLister(Dialect dialect, const ListingCharacters& characters, const std::function<void(const std::string&)>& write)
        : dialect_(dialect), characters_(characters), write_(write) {}

    // The line's text up to its $00 (taken) or the end of the input.
    void list(std::uint16_t number, ProgramBytes& bytes) {
        text_ = std::to_string(number) + " ";
        bool inQuotes = false;
        std::uint8_t byte = 0;
        while (bytes.take(byte) && byte != 0) {
            if (byte == quote) inQuotes = !inQuotes;
            if (inQuotes || byte < 0x80) {
                text_ += characters_.of(byte);
            } else if (isTokenPrefix(dialect_, byte)) {
                prefixed(byte, bytes);
            } else {
                token(keyword(dialect_, byte), byte);
            }
            if (text_.size() >= pieceOfText) {
                write_(text_);
                text_.clear();
            }
        }
        text_ += "\n";
        write_(text_);
    }

private:
    void token(std::string_view word, std::uint8_t byte) {
        if (word.empty()) {
            text_ += hexMnemonic(byte);
            return;
        }
        for (const char c : word) text_ += characters_.of(static_cast<std::uint8_t>(c));
    }

    // A prefix and the byte after it are one keyword; a pair that is none
    // shows as the two bytes, and a prefix that ends the line as itself.
    void prefixed(std::uint8_t prefix, ProgramBytes& bytes) {
        if (bytes.ahead(1) == 0 || bytes.at(0) == 0) {
            text_ += hexMnemonic(prefix);
            return;
        }
        std::uint8_t second = 0;
        bytes.take(second);
        const std::string_view word = prefixedKeyword(prefix, second);
        if (word.empty()) {
            text_ += hexMnemonic(prefix) + hexMnemonic(second);
            return;
        }
        token(word, second);
    }

    const Dialect dialect_;
    const ListingCharacters& characters_;
    const std::function<void(const std::string&)>& write_;
    std::string text_;
};

}  // namespace

std::optional<Dialect> dialectAt(std::uint16_t loadAddress, bool basic35Tokens) {
    switch (loadAddress) {
    case 0x0401: return Dialect::basic4;
    case 0x0801:
    case 0x1201: return Dialect::basic2;
    case 0x1001: return basic35Tokens ? Dialect::basic35 : Dialect::basic2;
    case 0x1C01:
    case 0x4001: return Dialect::basic7;
    default: return std::nullopt;
    }
}

ListingResult listProgram(nuk::BlockSource& source, const ListingSettings& settings,
                          const std::function<void(const std::string&)>& write) {
    ProgramBytes bytes(source, settings.limit);
    ListingResult result;
    const auto notListed = [&bytes, &result]() {
        result.taken = 0;
        result.held = bytes.everythingRead();
        return result;
    };
    if (bytes.ahead(2) < 2) return notListed();
    result.loadAddress = settings.loadAddress.value_or(static_cast<std::uint16_t>(bytes.at(0) | bytes.at(1) << 8));
    bytes.skip(2);
    if (!startsLikeAProgram(bytes)) return notListed();
    std::optional<Dialect> dialect = settings.dialect;
    if (!dialect) {
        const bool basic35 = result.loadAddress == 0x1001 && usesBasic35Tokens(bytes, bytes.ahead(largestProgram));
        dialect = dialectAt(result.loadAddress, basic35);
    }
    if (!dialect) return notListed();

    result.listed = true;
    bytes.forgetTakenBytes();
    const ListingCharacters characters(settings.characterSet, settings.textMode);
    LineLister lister(*dialect, characters, write);
    while (bytes.ahead(2) == 2) {
        if (bytes.at(1) == 0) {
            bytes.skip(2);
            break;
        }
        if (bytes.ahead(4) < 4) break;
        const auto number = static_cast<std::uint16_t>(bytes.at(2) | bytes.at(3) << 8);
        bytes.skip(4);
        lister.list(number, bytes);
    }
    result.taken = bytes.taken();
    result.held = bytes.held();
    return result;
}

}  // namespace basic
