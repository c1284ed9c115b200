// Lists, for both character sets, what the companion font draws at each
// private-use code point: one line per screen code,
//   <private-use base> <screen code> <standard character> <code point written>
// in hexadecimal, e.g. "EE00 40 2500 EE40". The standard character is the
// set's table entry before box-drawing and block characters give way to
// private-use glyphs; the code point written is what the dump puts in the
// text column for that screen code. The font build reads this listing, so
// the font follows the program's own tables.

#include <cstdio>

#include "petscii/petscii.hpp"

namespace {

void listSet(CharacterSet set) {
    const unsigned privateUseBase = set == CharacterSet::lowercase ? 0xEF00 : 0xEE00;
    for (unsigned screenCode = 0; screenCode < 256; ++screenCode) {
        const auto code = static_cast<std::uint8_t>(screenCode);
        std::printf("%04X %02X %04X %04X\n", privateUseBase, screenCode,
                    static_cast<unsigned>(screenCodeToStandardCharacter(code, set)),
                    static_cast<unsigned>(screenCodeToUnicode(code, set)));
    }
}

}  // namespace

int main() {
    listSet(CharacterSet::graphics);
    listSet(CharacterSet::lowercase);
    return std::fflush(stdout) == 0 ? 0 : 1;
}
