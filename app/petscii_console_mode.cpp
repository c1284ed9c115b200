// Kept apart from the translation so that code using only the explicit mode
// does not need the console object.

#include "app/petscii_console_mode.hpp"

#include "app/options.hpp"

std::string petsciiText(const std::uint8_t* bytes, std::size_t n, CharacterSet set) {
    return petsciiText(bytes, n, set, console.mode);
}
