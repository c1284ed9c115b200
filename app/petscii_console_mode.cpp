// The text column in the text mode of the program's console object; kept
// apart so that code using only the explicit mode does not need that object.

#include "app/options.hpp"
#include "app/petscii.hpp"

std::string petsciiText(const std::uint8_t* bytes, std::size_t n, bool lowercase) {
    return petsciiText(bytes, n, lowercase, console.mode);
}
