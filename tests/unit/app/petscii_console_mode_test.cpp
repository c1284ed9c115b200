// The text column without a mode of its own follows the console object.

#include <gtest/gtest.h>

#include <cstdint>

#include "app/options.hpp"
#include "app/petscii_console_mode.hpp"

namespace {

namespace con = nuk::con;

TEST(PetsciiText, WithoutAModeTheConsoleDecides) {
    const std::uint8_t bytes[] = {0x48, 0xC1};
    const con::TextMode savedMode = console.mode;
    for (con::TextMode mode : {con::none, con::unicode, con::ascii, con::codePage, con::wideConsole}) {
        console.mode = mode;
        EXPECT_EQ(petsciiText(bytes, 2, CharacterSet::graphics), petsciiText(bytes, 2, CharacterSet::graphics, mode))
            << mode;
    }
    console.mode = savedMode;
}

}  // namespace
