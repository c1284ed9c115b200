// The integer notation shared by option checks and option readers, and the
// two text helpers of the dump output.

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <utility>
#include <string>
#include <vector>

#include "cli/value.hpp"

namespace {

using nuk::cli::isInteger;
using nuk::cli::toInteger;

struct Notation {
    std::string text;
    bool integer;          // isInteger with the automatic base
    std::int64_t value;    // toInteger
};

TEST(Value, NotationsAgreeBetweenCheckAndConversion) {
    const std::vector<Notation> notations = {
        {"16", true, 16},
        {"$10", true, 16},
        {"0x10", true, 16},
        {"%10000", true, 16},
        {"010", true, 10},
        {"08", true, 8},
        {"0", true, 0},
        {"$Ff", true, 255},
        {"0xaBcD", true, 0xABCD},
        {"%0", true, 0},
        {"2147483647", true, 2147483647},
        // Saturates like a 32-bit strtol on every target.
        {"2147483648", true, 2147483647},
        {"99999999999999999999", true, 2147483647},
        {"$FFFFFFFF", true, 2147483647},
        {"0x7fffffff", true, 2147483647},
        {"0x80000000", true, 2147483647},
        {"%11111111111111111111111111111111111", true, 2147483647},
        // Rejected forms.
        {"0XFF", false, -1},
        {"0x", false, -1},
        {"$", false, -1},
        {"%", false, -1},
        {"x", false, -1},
        {"-5", false, -1},
        {"+5", false, -1},
        {" 5", false, -1},
        {"5 ", false, -1},
        {"$-1", false, -1},
        {"$g", false, -1},
        {"0x1g", false, -1},
        {"%2", false, -1},
        {"%1a", false, -1},
        {"12a", false, -1},
        {"1f", false, -1},
        {"0b101", false, -1},
        {"$0x10", false, -1},
        {std::string("1\0", 2), false, -1},
    };
    for (const Notation& notation : notations) {
        SCOPED_TRACE("text: '" + notation.text + "'");
        EXPECT_EQ(isInteger(notation.text), notation.integer);
        EXPECT_EQ(toInteger(notation.text), notation.value);
    }
}

// Offsets and lengths: the full 63 bits in every notation, a sign kept
// apart, and nothing (never a cut value) past the largest.
TEST(Value, SignedIntegersReachSixtyThreeBitsInEveryNotation) {
    using nuk::cli::toSignedInteger;
    struct Case {
        std::string text;
        std::optional<std::pair<bool, std::uint64_t>> value;  // negative, magnitude
    };
    const std::uint64_t largest = 9223372036854775807u;
    const std::vector<Case> cases = {
        {"0", {{false, 0}}},
        {"-0", {{true, 0}}},
        {"3000000000", {{false, 3000000000u}}},
        {"9223372036854775807", {{false, largest}}},
        {"$7fffffffffffffff", {{false, largest}}},
        {"0x7FFFFFFFFFFFFFFF", {{false, largest}}},
        {"%" + std::string(63, '1'), {{false, largest}}},
        {"-$10", {{true, 16}}},
        {"9223372036854775808", std::nullopt},
        {"-9223372036854775808", std::nullopt},
        {"$8000000000000000", std::nullopt},
        {"%1" + std::string(63, '0'), std::nullopt},
        {"99999999999999999999", std::nullopt},
        {"-", std::nullopt},
        {"--5", std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("text: '" + c.text + "'");
        const auto value = toSignedInteger(c.text);
        ASSERT_EQ(value.has_value(), c.value.has_value());
        if (!value) continue;
        EXPECT_EQ(value->negative, c.value->first);
        EXPECT_EQ(value->magnitude, c.value->second);
    }
}

TEST(Value, EmptyTextIsNoIntegerButConvertsToZero) {
    EXPECT_FALSE(isInteger(""));
    EXPECT_FALSE(isInteger("", 16));
    EXPECT_EQ(toInteger(""), 0);
}

TEST(Value, ExplicitBaseChecksTheWholeText) {
    EXPECT_TRUE(isInteger("1f", 16));
    EXPECT_TRUE(isInteger("DEADbeef", 16));
    EXPECT_FALSE(isInteger("$1f", 16));
    EXPECT_FALSE(isInteger("0x1f", 16));
    EXPECT_TRUE(isInteger("0101", 2));
    EXPECT_FALSE(isInteger("012", 2));
    EXPECT_TRUE(isInteger("0777", 8));
    EXPECT_FALSE(isInteger("08", 8));
    EXPECT_TRUE(isInteger("19", 10));
    EXPECT_FALSE(isInteger("1a", 10));
    EXPECT_FALSE(isInteger("1", -3));
}

TEST(Value, ToUpperChangesEveryByteInPlace) {
    std::string text = "0xab $cd, ok!";
    nuk::toUpper(text);
    EXPECT_EQ(text, "0XAB $CD, OK!");
    std::string withHighBytes = "a\xE9z";
    nuk::toUpper(withHighBytes);
    EXPECT_EQ(withHighBytes[0], 'A');
    EXPECT_EQ(withHighBytes[2], 'Z');
}

TEST(Value, AppendUtf8EncodesEachRange) {
    const std::vector<std::pair<std::uint32_t, std::string>> encodings = {
        {0x00, std::string(1, '\0')},
        {0x41, "A"},
        {0x7F, "\x7F"},
        {0x80, "\xC2\x80"},
        {0xE9, "\xC3\xA9"},
        {0x7FF, "\xDF\xBF"},
        {0x800, "\xE0\xA0\x80"},
        {0x2500, "\xE2\x94\x80"},
        {0xD800, "\xED\xA0\x80"},
        {0xE0C1, "\xEE\x83\x81"},
        {0xFFFF, "\xEF\xBF\xBF"},
        {0x10000, "\xF0\x90\x80\x80"},
        {0x10FFFF, "\xF4\x8F\xBF\xBF"},
        {0x110000, ""},
        {0xFFFFFFFF, ""},
    };
    for (const auto& [codePoint, bytes] : encodings) {
        SCOPED_TRACE("code point " + std::to_string(codePoint));
        std::string text = "x";
        nuk::appendUtf8(text, codePoint);
        EXPECT_EQ(text, "x" + bytes);
    }
}

}  // namespace
