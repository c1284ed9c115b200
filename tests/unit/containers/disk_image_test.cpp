#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "containers/disk/disk_image.hpp"
#include "containers/disk_name_pattern.hpp"

namespace {

using nuk::disk::DiskName;
using nuk::disk::NamePattern;

// A directory name from bytes: up to 16, padded with $A0.
DiskName diskName(const std::string& bytes) {
    DiskName name;
    name.fill(nuk::disk::namePadding);
    std::memcpy(name.data(), bytes.data(), bytes.size());
    return name;
}

struct MatchCase {
    const char* pattern;
    std::string name;
    bool matches;
};

TEST(DiskNamePattern, MatchesAsTheDriveDoes) {
    const MatchCase cases[] = {
        {"GAME", "GAME", true},
        {"game", "GAME", true},              // ASCII letters in either case
        {"game", "\xC7\xC1\xCD\xC5", true},  // ... match the shifted letters too
        {"GAM", "GAME", false},              // the whole name, not a prefix
        {"GAMES", "GAME", false},
        {"G?ME", "GAME", true},
        {"GAME?", "GAME", false},            // ? stands for a character, not the padding
        {"G*", "GAME", true},
        {"*", "", true},
        {"G*X", "GAME", true},               // the drive ignores what follows *
        {"", "", true},
        {"", "A", false},
        {"a b", "A B", true},
        {"\\xC1B", "\xC1" "B", true},        // an escape is the exact byte ...
        {"\\xC1B", "AB", false},             // ... not folded like a letter
        {"\\x2a", "*", true},                // an escaped * is literal
        {"\\x2a", "X", false},
        {"\\x2", "\\X2", true},              // not an escape: plain characters
        {"\\XC1", "\\XC1", true},
        {"@[\\", "@[\\", true},              // other ASCII matches itself
        {"AB", "AB\xA0,8,1", true},          // the name ends at the first padding byte
        {"AB,8,1", "AB\xA0,8,1", false},
        {"SIXTEEN CHARS!!!", "SIXTEEN CHARS!!!", true},
    };
    for (const MatchCase& c : cases) {
        EXPECT_EQ(NamePattern(c.pattern).matches(diskName(c.name)), c.matches) << c.pattern;
    }
}

TEST(DiskImageLayout, KnownSizesOnly) {
    struct SizeCase {
        std::uint64_t bytes;
        nuk::disk::Kind kind;
        std::uint32_t sectors;
    };
    const SizeCase cases[] = {
        {174848, nuk::disk::Kind::d64, 683},  {175531, nuk::disk::Kind::d64, 683},
        {196608, nuk::disk::Kind::d64, 768},  {197376, nuk::disk::Kind::d64, 768},
        {349696, nuk::disk::Kind::d71, 1366}, {351062, nuk::disk::Kind::d71, 1366},
        {819200, nuk::disk::Kind::d81, 3200}, {822400, nuk::disk::Kind::d81, 3200},
    };
    for (const SizeCase& c : cases) {
        const auto layout = nuk::disk::layoutForSize(c.bytes);
        ASSERT_TRUE(layout) << c.bytes;
        EXPECT_EQ(layout->kind, c.kind) << c.bytes;
        // The sectors of all tracks fill the image up to its error bytes.
        EXPECT_EQ(nuk::disk::DiskImage(*layout, nullptr).sectorCount(), c.sectors) << c.bytes;
    }
    EXPECT_FALSE(nuk::disk::layoutForSize(174847));
    EXPECT_FALSE(nuk::disk::layoutForSize(0));
}

}  // namespace
