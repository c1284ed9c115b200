#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "reverse/dump_line.hpp"
#include "reverse/reverse_dump.hpp"
#include "tests/unit/piece_source.hpp"

namespace {

using undump::LineKind;

struct LineCase {
    const char* line;
    LineKind kind;
    std::uint64_t address;
    std::vector<std::uint8_t> bytes;  // of a line of bytes
    std::size_t positions;
};

// The hex column is told from a text column that looks like more fields
// only by the number of characters the text column has.
TEST(DumpLine, ReadsEveryNotationAndTellsNamesFromBrokenLines) {
    const LineCase cases[] = {
        {"0000: 41 42 AB", LineKind::bytes, 0, {0x41, 0x42}, 2},
        {"0000: 41 42 20 34 31 AB 41", LineKind::bytes, 0, {0x41, 0x42, 0x20, 0x34, 0x31}, 5},
        {"0000: 2d 2d --", LineKind::bytes, 0, {0x2d, 0x2d}, 2},
        {"fffe0: 0x4F,0x4b          OK", LineKind::bytes, 0xfffe0, {0x4f, 0x4b}, 2},
        {"C000: $a9,$--,$--         \xee\x80\x81``", LineKind::bytes, 0xc000, {0xa9}, 3},
        {"0010: 20 41       A", LineKind::bytes, 0x10, {0x20, 0x41}, 2},
        {"0008: 01000001 00101101 A-", LineKind::bytes, 8, {0x41, 0x2d}, 2},
        {"0008: 00110000 -------- 0`", LineKind::bytes, 8, {0x30}, 2},
        {"0000: 00110000 00110001 00110000 010", LineKind::bytes, 0, {0x30, 0x31, 0x30}, 3},
        {"0000: 00110000 00110001          01", LineKind::bytes, 0, {0x30, 0x31}, 2},
        {"0000: ..##..## \xe2\x96\x91\xe2\x96\x91  \xe2\x96\x88 A", LineKind::picture, 0, {}, 0},
        {"0000:          `", LineKind::picture, 0, {}, 0},
        {"0000: 41 -- 42 A`B", LineKind::broken, 0, {}, 0},
        {"0000: 41 42 ABC", LineKind::broken, 0, {}, 0},
        {"001O: 41 42 AB", LineKind::broken, 0, {}, 0},
        {"00000000: 4142 4344  ABCD", LineKind::broken, 0, {}, 0},
        {"0000: 41,$42 AB", LineKind::broken, 0, {}, 0},
        {"C:\\games\\a.prg", LineKind::path, 0, {}, 0},
        {"disk.d64:GAME: 1", LineKind::path, 0, {}, 0},
        {"[data_from_stdin]", LineKind::path, 0, {}, 0},
        {"*", LineKind::squeeze, 0, {}, 0},
        {"", LineKind::empty, 0, {}, 0},
    };
    for (const LineCase& c : cases) {
        const std::string text = c.line;
        std::vector<std::uint8_t> bytes(undump::mostBytesOf(text.size()));
        const undump::DumpLine line = undump::readDumpLine(text.data(), text.data() + text.size(), bytes.data());
        EXPECT_EQ(line.kind, c.kind) << text;
        if (c.kind != LineKind::bytes || line.kind != LineKind::bytes) continue;
        EXPECT_EQ(line.address, c.address) << text;
        EXPECT_EQ(line.positions, c.positions) << text;
        EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + line.present), c.bytes) << text;
    }
}

struct InputCase {
    const char* name;
    std::string input;
    bool loadAddress;
    std::string bytes;
    std::uint64_t faultLine;  // 0: no fault
    std::string fault;
};

std::string bytesOf(std::size_t n, char c) { return std::string(n, c); }

TEST(ReverseDump, FollowsAddressesAcrossRunsDumpsAndWraps) {
    const InputCase cases[] = {
        {"run of equal lines", "0000: 00 00 ``\n*\n0008: 01    a\n", false, bytesOf(8, 0) + "\x01", 0, ""},
        {"run that wraps five digits", "ffffc: 2a 2a **\n*\n00002: 2b +\n", false, bytesOf(6, '*') + "+", 0, ""},
        {"run not a whole number of lines", "0000: 00 00 ``\n*\n0007: 01 a\n", false, bytesOf(2, 0), 3,
         "address 0007 does not follow (expected 0002)"},
        {"run with no line after it", "0000: 00 `\n*\n\n0000: 01 a\n", false, bytesOf(1, 0), 2,
         "no dump line after '*'"},
        {"gap", "0000: 41 A\n0002: 42 B\n", false, "A", 2, "address 0002 does not follow (expected 0001)"},
        {"a byte after the end", "0000: 41 -- A`\n0002: 42 B\n", false, "A", 2, "not a dump line"},
        {"dumps after path and empty lines, each with its load address",
         "a.prg\r\n\x1b[22;34;1m0801: \x1b[22;37;1m41 \x1b[22;36;1mA\r\n\nb.prg\nc000: 42 B\n\x1b[0;22m", true,
         std::string("\x01\x08" "A" "\x00\xc0" "B", 6), 0, ""},
        {"four digits then five", "0000: 41 A\n00001: 42 B\n", false, "A", 2,
         "address 00001 does not follow (expected 0001)"},
    };
    for (const InputCase& c : cases) {
        for (const std::size_t piece : {std::size_t{1}, std::size_t{4096}}) {
            test::PieceSource source(std::vector<std::uint8_t>(c.input.begin(), c.input.end()), {piece}, false);
            std::ostringstream out;
            undump::ReverseSettings settings;
            settings.loadAddress = c.loadAddress;
            const auto fault = undump::reverseDump(source, settings, out);
            EXPECT_EQ(out.str(), c.bytes) << c.name;
            EXPECT_EQ(fault ? fault->line : 0, c.faultLine) << c.name;
            EXPECT_EQ(fault ? fault->text : "", c.fault) << c.name;
        }
    }
}

}  // namespace
