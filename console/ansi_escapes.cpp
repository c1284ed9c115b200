#include "console/ansi_escapes.hpp"

namespace nuk::con {

namespace {

// Console colours put blue in bit 0 and red in bit 2; ANSI numbers them the
// other way round, so the low three bits need this table.
constexpr int ansiForegroundCode[8] = {30, 34, 32, 36, 31, 35, 33, 37};

constexpr int brightBit = 8;

std::string escape(int code, const char* suffix) {
    return "\x1b[22;" + std::to_string(code) + suffix + "m";
}

}  // namespace

bool isColourNumber(int colour) { return colour >= 0 && colour <= 15; }

std::string foregroundEscape(int colour) {
    // Bright foregrounds are written as bold rather than as the 90..97 codes,
    // which older terminals do not know.
    const bool bright = (colour & brightBit) != 0;
    return escape(ansiForegroundCode[colour & 7], bright ? ";1" : "");
}

std::string backgroundEscape(int colour) {
    const bool bright = (colour & brightBit) != 0;
    return escape(ansiForegroundCode[colour & 7] + (bright ? 70 : 10), "");
}

}  // namespace nuk::con
