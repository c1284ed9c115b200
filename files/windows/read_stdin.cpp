// Reading all of standard input. The runtime would turn CR LF into LF and
// stop at byte 0x1A in text mode, so standard input is switched to binary
// first and the bytes arrive unchanged.

#include <fcntl.h>
#include <io.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string>

#include "files/byte_store.hpp"
#include "files/file.hpp"
#include "files/file_messages.hpp"

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

enum class Outcome { complete, failed, tooLarge };

Outcome readToEnd(int descriptor, Bytes& data, int& errorNumber) {
    try {
        if (data.capacity() < chunkSize) data.reserve(chunkSize);
    } catch (const std::bad_alloc&) {
        return Outcome::tooLarge;
    }
    const std::unique_ptr<std::uint8_t[]> chunk(new std::uint8_t[chunkSize]);
    for (;;) {
        const int n = _read(descriptor, chunk.get(), static_cast<unsigned>(chunkSize));
        if (n == 0) break;
        if (n < 0) {
            errorNumber = errno;
            return Outcome::failed;
        }
        if (!appendChunk(data, chunk.get(), static_cast<std::size_t>(n))) return Outcome::tooLarge;
    }
    trimToSize(data);
    return Outcome::complete;
}

}  // namespace

std::optional<cli::Msg> readStdin(file_t& file) {
    if (_setmode(_fileno(stdin), _O_BINARY) == -1) {
        return plainMessage(cli::severityError, "could not convert stdin to binary: " + runtimeErrorText(errno));
    }
    int errorNumber = 0;
    switch (readToEnd(_fileno(stdin), file.data, errorNumber)) {
    case Outcome::failed:
        // Nothing read before the failure is dumped: the input is incomplete.
        file.data = Bytes();
        return plainMessage(cli::severityFatal, "could not read standard input: " + runtimeErrorText(errorNumber));
    case Outcome::tooLarge:
        file.data = Bytes();
        return tooLargeMessage(stdinLabel);
    case Outcome::complete: break;
    }
    file.directory.clear();
    file.name = stdinLabel;
    return std::nullopt;
}

}  // namespace nuk
