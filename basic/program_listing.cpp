// A program listed a line at a time, as LIST shows it after LOAD.

#include "basic/program_listing.hpp"

#include <algorithm>
#include <limits>

#include "basic/tokenizer.hpp"

namespace basic {

namespace {

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

// What one byte of a line, or a token of two, shows in the listing, and
// what reading that text back gives the tokenizer.
struct Unit {
    std::uint8_t bytes[2];
    std::size_t length;  // 1 or 2
    std::string text;
    std::vector<ReadCharacter> read;
    bool inRemOrData;  // where LIST shows tokens that the tokenizer would not make
};

class LineLister {
public:
    LineLister(Dialect dialect, const ListingCharacters& characters, const std::function<void(const std::string&)>& write)
        : dialect_(dialect), tokenizer_(dialect), characters_(characters), write_(write) {}

    // The line's text up to its $00 (taken) or the end of the input. A line
    // as long as the machine's lines is held whole, so that its text can be
    // checked to read back as its bytes; a longer one is written as it comes.
    void list(std::uint16_t number, ProgramBytes& bytes) {
        std::string text = std::to_string(number) + " ";
        units_.clear();
        inQuotes_ = inRem_ = inData_ = false;
        bool whole = true;
        std::uint8_t byte = 0;
        while (bytes.take(byte) && byte != 0) {
            units_.push_back(unitOf(byte, bytes));
            if (units_.size() > longestCheckedLine) {
                whole = false;
                writeUnits(text);
            }
        }
        if (whole) keepReadingBackTheSame();
        writeUnits(text);
        write_(text + "\n");
    }

private:
    static constexpr std::size_t longestCheckedLine = 4 * longestTypedLine;

    Unit unitOf(std::uint8_t byte, ProgramBytes& bytes) {
        Unit unit{{byte, 0}, 1, {}, {}, inRem_ || inData_};
        if (byte == quote) inQuotes_ = !inQuotes_;
        if (inQuotes_ || byte < 0x80) {
            if (inData_ && !inQuotes_ && byte == ':') inData_ = false;
            character(unit, byte);
            return unit;
        }
        if (!inData_) {
            inRem_ = inRem_ || byte == remToken;
            inData_ = byte == dataToken;
        }
        if (!isTokenPrefix(dialect_, byte)) {
            token(unit, keyword(dialect_, byte));
            return unit;
        }
        // A prefix and the byte after it are one keyword; a pair that is
        // none shows as the two bytes, and a prefix that ends the line as
        // itself.
        if (bytes.ahead(1) == 0 || bytes.at(0) == 0) {
            exact(unit);
            return unit;
        }
        bytes.take(unit.bytes[1]);
        unit.length = 2;
        token(unit, prefixedKeyword(byte, unit.bytes[1]));
        return unit;
    }

    void character(Unit& unit, std::uint8_t byte) const {
        unit.text = characters_.of(byte);
        unit.read = {ReadCharacter{byte, unit.text.compare(0, 2, "{$") == 0}};
    }

    void token(Unit& unit, std::string_view word) const {
        if (word.empty()) {
            exact(unit);
            return;
        }
        for (const char c : word) {
            const auto byte = static_cast<std::uint8_t>(c);
            unit.text += characters_.of(byte);
            unit.read.push_back(ReadCharacter{byte, false});
        }
    }

    // The unit's bytes as {$xx}, which read back as themselves.
    static void exact(Unit& unit) {
        unit.text.clear();
        unit.read.clear();
        for (std::size_t i = 0; i < unit.length; ++i) {
            unit.text += hexMnemonic(unit.bytes[i]);
            unit.read.push_back(ReadCharacter{unit.bytes[i], true});
        }
    }

    // LIST's text does not always type back into the line the machine
    // stored: letters before a token can begin another keyword with its
    // text ("LOO" before PRINT reads as LOOP), a token can run into what
    // follows it. Where the tokenizer would store other bytes, the unit that
    // goes astray is written as its bytes, until the line reads back as it
    // is. Letters that make a keyword by themselves ("FRE" in the "BLOCKS
    // FREE." of a directory) are no line the machine tokenized: they stay as
    // LIST shows them, and so do the keywords after a REM and in a DATA.
    void keepReadingBackTheSame() {
        std::vector<std::uint8_t> line;
        for (const Unit& unit : units_) line.insert(line.end(), unit.bytes, unit.bytes + unit.length);
        for (std::size_t round = 0; round <= units_.size(); ++round) {
            std::vector<ReadCharacter> text;
            for (const Unit& unit : units_) text.insert(text.end(), unit.read.begin(), unit.read.end());
            const std::vector<std::uint8_t> stored = tokenizer_.tokenize(text);
            const auto astray = std::mismatch(line.begin(), line.end(), stored.begin(), stored.end()).first;
            if (astray == line.end() && stored.size() == line.size()) return;
            const std::size_t unit = unitAt(static_cast<std::size_t>(astray - line.begin()));
            if (!typedThatWay(unit, text)) return;
            exact(units_[unit]);
        }
    }

    // Whether the machine's tokenizer could have stored the unit that goes
    // astray: a token, or a character whose keyword takes a token's text.
    bool typedThatWay(std::size_t index, const std::vector<ReadCharacter>& text) const {
        const Unit& unit = units_[index];
        if (unit.inRemOrData || unit.read.front().exact) return false;
        if (isToken(unit)) return true;
        std::size_t at = 0;
        for (std::size_t i = 0; i < index; ++i) at += units_[i].read.size();
        std::size_t length = tokenizer_.keywordLength(text, at);
        for (std::size_t i = index; i < units_.size() && length > 0; ++i) {
            if (isToken(units_[i])) return true;
            length -= std::min(length, units_[i].read.size());
        }
        return false;
    }

    static bool isToken(const Unit& unit) { return unit.bytes[0] >= 0x80 && !unit.read.front().exact; }

    std::size_t unitAt(std::size_t offset) const {
        for (std::size_t i = 0; i < units_.size(); ++i) {
            if (offset < units_[i].length) return i;
            offset -= units_[i].length;
        }
        return units_.size() - 1;
    }

    void writeUnits(std::string& text) {
        for (const Unit& unit : units_) text += unit.text;
        units_.clear();
        if (text.size() >= pieceOfText) {
            write_(text);
            text.clear();
        }
    }

    const Dialect dialect_;
    const Tokenizer tokenizer_;
    const ListingCharacters& characters_;
    const std::function<void(const std::string&)>& write_;
    std::vector<Unit> units_;
    bool inQuotes_ = false;
    bool inRem_ = false;
    bool inData_ = false;
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
