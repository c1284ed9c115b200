// Source code at its edges that the round trips through the assemblers do
// not reach: C names from any input name, and BASIC's line numbers running
// out.

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "dump/dump_2_source.hpp"

namespace {

TEST(SourceText, CArrayNamesAreCNames) {
    const std::pair<const char*, const char*> cases[] = {
        {"hello.prg", "hello_prg"},
        {"[data_from_stdin]", "data_from_stdin"},
        {"1st.bin", "data_1st_bin"},
        {"game.d64:GAME \xc1", "game_d64_GAME"},
        {"__", "data"},
        {"", "data"},
    };
    for (const auto& [input, name] : cases) EXPECT_EQ(cArrayName(input), name) << input;
}

// The line numbers go on across inputs up to 63999; the bytes after that
// are not written, and the output says why.
TEST(SourceText, BasicLineNumbersStopAtTheLastOne) {
    LineFormat look;
    look.width = 1;
    std::uint64_t nextLine = lastBasicLine - 15;  // 63984: room for two lines
    std::ostringstream out;
    SourceText source(SourceFormat::basic, look, std::nullopt, "a", &nextLine, out);
    const std::vector<std::uint8_t> bytes = {1, 2, 3};
    source.add(bytes.data(), bytes.size());
    source.endAt(bytes.size());
    EXPECT_EQ(out.str(), "63984 DATA 1\n63994 DATA 2\n");
    ASSERT_TRUE(source.fault());
    EXPECT_EQ(*source.fault(), "too many bytes for BASIC lines up to 63999");
}

}  // namespace
