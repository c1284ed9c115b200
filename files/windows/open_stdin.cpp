// Standard input on Windows. The runtime would turn CR LF into LF and stop
// at byte 0x1A in text mode, so standard input is switched to binary first
// and the bytes arrive unchanged.

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "files/standard_input_seam.hpp"

namespace nuk {

namespace {

constexpr std::size_t runtimeErrorTextSize = 95;

}  // namespace

std::string runtimeErrorText(int errorNumber) {
    char text[runtimeErrorTextSize];
    if (strerror_s(text, sizeof text, errorNumber) != 0) return "Unknown error";
    return text;
}

std::optional<cli::Msg> prepareStandardInput() {
    if (_setmode(_fileno(stdin), _O_BINARY) != -1) return std::nullopt;
    cli::Msg message;
    message.severity = cli::severityError;
    message.text = "could not convert stdin to binary: " + runtimeErrorText(errno);
    return message;
}

}  // namespace nuk
