// The code page text column goes to a console as single bytes, and a console
// acts on bell, backspace, tab, line feed and escape instead of drawing them.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "petscii/petscii.hpp"

namespace {

TEST(PetsciiCodePage, NoByteValueWritesAConsoleControl) {
    for (CharacterSet set : {CharacterSet::graphics, CharacterSet::lowercase}) {
        for (int value = 0; value < 256; ++value) {
            const auto byte = static_cast<std::uint8_t>(value);
            const std::string text = petsciiText(&byte, 1, set, nuk::con::codePage);
            ASSERT_EQ(text.size(), 1u);
            EXPECT_EQ(std::string("\a\b\t\n\r\x1b").find(text[0]), std::string::npos)
                << "byte " << value << (set == CharacterSet::lowercase ? " lower/upper" : " upper/graphics");
        }
    }
}

TEST(PetsciiCodePage, LookAlikesStandInForControlPositions) {
    const struct {
        std::uint8_t byte;
        char shown;
    } cases[] = {
        {0x71, '\xF9'},  // bullet
        {0x91, '\xFE'},  // inverse bullet
        {0x77, 'o'},     // circle
        {0x97, '\xFE'},  // inverse circle
        {0x5F, '\x11'},  // left arrow
    };
    for (const auto& c : cases) {
        EXPECT_EQ(petsciiText(&c.byte, 1, CharacterSet::graphics, nuk::con::codePage), std::string(1, c.shown)) << int(c.byte);
    }
}

}  // namespace
