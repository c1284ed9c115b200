#pragma once
// What each platform supplies to opening standard input (open_stdin.cpp).

#include <optional>
#include <string>

#include "cli/message.hpp"

namespace nuk {

// Makes standard input deliver its bytes unchanged: nothing to do on Linux;
// on Windows it is switched to binary, and the message says why it could not be.
std::optional<cli::Msg> prepareStandardInput();

// The C runtime's text for an errno value.
std::string runtimeErrorText(int errorNumber);

}  // namespace nuk
