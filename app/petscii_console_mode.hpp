#pragma once
// The text column in the text mode of the program's console object.

#include <cstddef>
#include <cstdint>
#include <string>

#include "petscii/petscii.hpp"

std::string petsciiText(const std::uint8_t* bytes, std::size_t n, CharacterSet set);
