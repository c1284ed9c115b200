// Standard input as it arrives. The runtime would turn CR LF into LF and
// stop at byte 0x1A in text mode, so standard input is switched to binary
// first and the bytes arrive unchanged.

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "files/descriptor_source.hpp"
#include "files/file.hpp"

namespace nuk {

namespace {

constexpr std::size_t runtimeErrorTextSize = 95;

std::string runtimeErrorText(int errorNumber) {
    char text[runtimeErrorTextSize];
    if (strerror_s(text, sizeof text, errorNumber) != 0) return "Unknown error";
    return text;
}

cli::Msg plainMessage(std::int32_t severity, const std::string& text) {
    cli::Msg message;
    message.severity = severity;
    message.text = text;
    return message;
}

}  // namespace

std::optional<cli::Msg> openStdin(file_t& file, ReadAhead readAhead) {
    if (_setmode(_fileno(stdin), _O_BINARY) == -1) {
        return plainMessage(cli::severityError, "could not convert stdin to binary: " + runtimeErrorText(errno));
    }
    const auto readFailed = [](int errorNumber) {
        return plainMessage(cli::severityFatal, "could not read standard input: " + runtimeErrorText(errorNumber));
    };
    if (auto problem = openStream(_fileno(stdin), Ownership::borrowed, readFailed, readAhead, file.source))
        return problem;
    file.directory.clear();
    file.name = stdinLabel;
    return std::nullopt;
}

}  // namespace nuk
