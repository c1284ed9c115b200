// The dump line formatter against a byte-by-byte rendering of its layout
// rules, over every notation, many widths and ranges; and the cases the
// command line cannot reach (addresses near 2^64, indexes past any data).

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "dump/dump.hpp"
#include "petscii/petscii.hpp"
#include "files/block_source.hpp"
#include "tests/unit/piece_source.hpp"
#include "tests/unit/whole_dump.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;

LineFormat withWidth(LineFormat format, std::uint64_t width) {
    format.width = width;
    return format;
}

std::string dump(const Bytes& data, std::uint64_t count, std::uint64_t start, std::uint64_t first,
                 const LineFormat& format) {
    std::ostringstream out;
    dumpBytes(data, count, start, first, format, out);
    return out.str();
}

// One byte position at a time, straight from the layout rules: a line's
// address when its first position is reached, its columns when the next
// line begins or the dump ends; the last line blanked behind its last field.
std::string referenceDump(const Bytes& data, std::uint64_t count, std::uint64_t start, std::uint64_t first,
                          const LineFormat& format) {
    if (count == 0) return "";
    const std::uint64_t width = format.width;
    const std::string digits = format.upperCaseHex ? "0123456789ABCDEF" : "0123456789abcdef";
    const std::string lower = "0123456789abcdef";
    const int addressWidth = start + count + first <= 0xFFFF ? 4 : 5;
    std::string field = " 00", firstField = "00";
    std::uint64_t stride = 3, offset = 0;
    if (format.hexStyle == HexStyle::turbo) {
        field = ",$00", firstField = "$00", stride = 4, offset = 1;
    } else if (format.hexStyle == HexStyle::c) {
        field = ",0x00", firstField = "0x00", stride = 5, offset = 2;
    }
    std::string hex = firstField;
    for (std::uint64_t k = 1; k < width; ++k) hex += field;
    hex += ' ';
    Bytes text(width, 0);
    std::string out;
    const auto flush = [&](std::uint64_t n) {
        out += hex + petsciiText(text.data(), n, format.characterSet, format.textMode) + "\n";
    };
    std::uint64_t end = 2;
    for (std::uint64_t i = 0; i < count; ++i) {
        const std::uint64_t col = i % width;
        if (col == 0) {
            if (i > 0) flush(width);
            const std::uint64_t address = start + i;
            for (int d = addressWidth - 1; d >= 0; --d) out += lower[(address >> (4 * d)) & 15];
            out += ": ";
        }
        const std::uint64_t pos = stride * col + offset;
        if (first + i < data.size()) {
            const std::uint8_t b = data[first + i];
            hex[pos] = digits[b / 16];
            hex[pos + 1] = digits[b % 16];
            text[col] = b;
        } else {
            hex[pos] = hex[pos + 1] = '-';
            text[col] = 0;
        }
        end = pos + 2;
    }
    for (std::uint64_t k = end; k < hex.size(); ++k) hex[k] = ' ';
    flush((count - 1) % width + 1);
    return out;
}

Bytes randomBytes(std::size_t size) {
    Bytes bytes(size);
    std::uint32_t state = 12345;
    for (auto& b : bytes) {
        state = state * 1103515245u + 12345u;
        b = static_cast<std::uint8_t>(state >> 16);
    }
    return bytes;
}

struct Range {
    std::uint64_t count, width, start, first;
};

TEST(Dump, MatchesTheLayoutRulesInEveryNotation) {
    const Bytes data = randomBytes(70000);  // crosses $FFFF and many output blocks
    const Range ranges[] = {
        {1, 16, 0, 0},          {20, 8, 0x0801, 2},     {70000, 16, 0, 0},     {70000, 17, 0, 0},
        {65535, 16, 0, 0},      {65536, 16, 0, 0},      {69998, 7, 0xc000, 2}, {300, 256, 0xfff0, 0},
        {100, 1, 0xffd0, 5},    {40, 16, 0, 69990},     {5, 3, 7, 80000},      {4096, 64, 0xfffff, 0},
        {1000, 65536, 0x1234, 3},
    };
    for (const HexStyle notation : {HexStyle::plain, HexStyle::c, HexStyle::turbo}) {
        for (const bool upper : {false, true}) {
            LineFormat format;
            format.hexStyle = notation;
            format.upperCaseHex = upper;
            for (const Range& r : ranges) {
                EXPECT_EQ(dump(data, r.count, r.start, r.first, withWidth(format, r.width)),
                          referenceDump(data, r.count, r.start, r.first, withWidth(format, r.width)))
                    << "notation " << static_cast<int>(notation) << " upper " << upper << " count " << r.count << " width "
                    << r.width << " start " << r.start << " first " << r.first;
            }
        }
    }
}

TEST(Dump, MatchesTheLayoutRulesInEveryTextModeAndSet) {
    // Characters of one to three bytes, so the text column's length varies.
    const Bytes data = randomBytes(5000);
    const Range ranges[] = {{5000, 16, 0, 0}, {4999, 7, 0x0801, 1}, {30, 16, 0, 4990}, {3, 5, 0, 0}};
    for (const nuk::con::TextMode mode : {nuk::con::unicode, nuk::con::codePage, nuk::con::wideConsole}) {
        for (const bool lower : {false, true}) {
            LineFormat format;
            format.textMode = mode;
            format.characterSet = characterSet(lower);
            for (const Range& r : ranges) {
                EXPECT_EQ(dump(data, r.count, r.start, r.first, withWidth(format, r.width)),
                          referenceDump(data, r.count, r.start, r.first, withWidth(format, r.width)))
                    << "mode " << mode << " lowercase " << lower << " count " << r.count << " width " << r.width;
            }
        }
    }
}

TEST(Dump, LowercaseSelectsTheLowerUpperCaseSet) {
    LineFormat format;
    format.width = 2;
    format.textMode = nuk::con::unicode;
    format.characterSet = CharacterSet::lowercase;
    EXPECT_EQ(dump({0x41, 0xc1}, 2, 0, 0, format), "0000: 41 c1 aA\n");
}

TEST(Dump, NothingToShowWritesNothing) {
    EXPECT_EQ(dump({1, 2, 3}, 0, 0, 0, {}), "");
    EXPECT_EQ(dump({}, 0, 0, 3, {}), "");
}

TEST(Dump, AddressesNearTheTopOfSixtyFourBitsWrapInFiveDigits) {
    // The sum that picks the width saturates instead of wrapping to a small number.
    const std::uint64_t start = 0xFFFFFFFFFFFFFFF8u;
    const LineFormat format = withWidth({}, 1);
    EXPECT_EQ(dump({0x41, 0x42}, 2, start, 0, format),
              "ffff8: 41 A\n"
              "ffff9: 42 B\n");
    EXPECT_EQ(dump({0x41}, 2, start + 7, 0, format),
              "fffff: 41 A\n"
              "00000: -- `\n");
}

TEST(Dump, IndexesPastAnyDataAreMissingWithoutReadingIt) {
    EXPECT_EQ(dump({0x41}, 2, 0, 0xFFFFFFFFFFFFFFFFu, withWidth({}, 2)), "00000: -- -- ``\n");
    EXPECT_EQ(dump({0x41}, 1, 0, 0xFFFFFFFFFFFFFFF0u, withWidth({}, 4)), "00000: --          `\n");
}

using test::PieceSource;

struct Request {
    bool load;
    std::optional<std::uint64_t> seek, len, start;
    std::uint64_t width;
    bool seekFromEnd = false;

    DumpSettings settings() const {
        DumpSettings settings;
        settings.load = load;
        settings.seek = seek.value_or(0);
        settings.seekFromEnd = seekFromEnd;
        settings.length = len;
        settings.start = start;
        settings.format.width = width;
        return settings;
    }
};

// What dumpFile writes for the source, and its message.
std::string dumpThrough(nuk::BlockSource& source, const Request& r, std::optional<nuk::cli::Msg>& message) {
    std::ostringstream out;
    message = dumpFile(source, {}, r.settings(), out);
    return out.str();
}

TEST(Dump, InputReadInPiecesDumpsAsWhenHeldWhole) {
    Bytes big = randomBytes(70000);
    big[0] = 0x00, big[1] = 0xc0;  // load address $C000
    const Request requests[] = {
        {false, {}, {}, {}, 16},       {false, {}, 16, {}, 16},       {false, 10, 69000, {}, 7},
        {false, 80000, {}, {}, 16},    {true, {}, {}, {}, 16},        {true, 16300, 100, {}, 8},
        {false, 65000, 600, {}, 16},   {false, 5, 200, {}, 16},       {false, {}, {}, 0x10, 65536},
        {true, 3, 500, 0xfff0, 16},    {false, 65535, {}, {}, 1},     {false, {}, 0, {}, 16},
    };
    const std::vector<std::size_t> pieces[] = {{65536}, {1, 7, 4096, 3, 65541}, {16}};
    for (const Bytes& data : {big, Bytes(big.begin(), big.begin() + 100), Bytes{0x41}, Bytes{}}) {
        for (const Request& r : requests) {
            for (const auto& cut : pieces) {
                for (const bool sized : {false, true}) {
                    PieceSource source(data, cut, sized);
                    std::optional<nuk::cli::Msg> message;
                    EXPECT_EQ(dumpThrough(source, r, message), test::wholeDump(data, r.settings()))
                        << "size " << data.size() << " seek " << r.seek.value_or(0) << " len "
                        << (r.len ? std::to_string(*r.len) : "-") << " load " << r.load << " piece " << cut[0]
                        << " sized " << sized;
                    EXPECT_FALSE(message);
                }
            }
        }
    }
}

// Whether the input tells its size (a file, seeked) or not (a stream, kept
// in a ring that the pieces wrap around), the last N bytes dump as the seek
// from the start to the same byte: addresses are real positions.
TEST(Dump, SeekFromTheEndDumpsAsTheSeekFromTheStartToTheSameByte) {
    Bytes big = randomBytes(70000);
    big[0] = 0x00, big[1] = 0xc0;
    const std::uint64_t fromEnd[] = {0, 1, 17, 98, 100, 101, 65541, 80000};
    const std::vector<std::size_t> pieces[] = {{65536}, {1, 7, 4096, 3, 65541}, {16}};
    for (const Bytes& data : {big, Bytes(big.begin(), big.begin() + 100), Bytes{0x41}, Bytes{}}) {
        for (const std::uint64_t n : fromEnd) {
            for (const bool load : {false, true}) {
                const std::uint64_t rest = data.size() - std::min<std::uint64_t>(load ? 2 : 0, data.size());
                const Request fromStart{load, rest > n ? rest - n : 0, {}, {}, 16};
                for (const auto& cut : pieces) {
                    for (const bool sized : {false, true}) {
                        PieceSource source(data, cut, sized);
                        std::optional<nuk::cli::Msg> message;
                        EXPECT_EQ(dumpThrough(source, {load, n, {}, {}, 16, true}, message),
                                  test::wholeDump(data, fromStart.settings()))
                            << "size " << data.size() << " from end " << n << " load " << load << " piece " << cut[0]
                            << " sized " << sized;
                        EXPECT_FALSE(message);
                    }
                }
            }
        }
    }
}

TEST(Dump, SeekFromTheEndOfAFailingStreamShowsTheEndOfWhatArrived) {
    Bytes data(100, 0x41);
    data[39] = 0x42;
    PieceSource source(data, {7}, false, 40);
    std::optional<nuk::cli::Msg> message;
    EXPECT_EQ(dumpThrough(source, {false, 3, 16, {}, 16, true}, message), "0025: 41 41 42" + std::string(40, ' ') + "AAB\n");
    ASSERT_TRUE(message);
    EXPECT_EQ(message->text, "read failed");
}

TEST(Dump, ReadingStopsOnceTheLengthIsShown) {
    PieceSource source(Bytes(1000000, 0x41), {4096}, false);
    std::optional<nuk::cli::Msg> message;
    EXPECT_EQ(dumpThrough(source, {false, 100, 16, {}, 16}, message),
              "0064: 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 AAAAAAAAAAAAAAAA\n");
    EXPECT_EQ(source.taken(), 116u);
}

TEST(Dump, AFailingReadShowsEveryByteThatArrivedAndReturnsItsMessage) {
    const std::string complete = "0000: 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 AAAAAAAAAAAAAAAA\n"
                                 "0010: 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 41 AAAAAAAAAAAAAAAA\n"
                                 "0020: 41 41 41 41 41 41 41 41                         AAAAAAAA\n";
    // With a length the address width is known at once; without one a
    // stream's bytes are still held back when the read fails.
    for (const std::optional<std::uint64_t> length : {std::optional<std::uint64_t>(64), std::optional<std::uint64_t>()}) {
        for (const bool sized : {false, true}) {
            PieceSource source(Bytes(100, 0x41), {7}, sized, 40);
            std::optional<nuk::cli::Msg> message;
            EXPECT_EQ(dumpThrough(source, {false, {}, length, {}, 16}, message), complete) << "sized " << sized;
            ASSERT_TRUE(message);
            EXPECT_EQ(message->text, "read failed");
        }
    }
}

}  // namespace
