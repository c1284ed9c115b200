// Reading all of standard input, unchanged, straight from its descriptor.

#include <cstring>
#include <string>

#include <unistd.h>

#include "files/descriptor_read_posix.hpp"
#include "files/file.hpp"
#include "files/file_messages.hpp"

namespace nuk {

std::optional<cli::Msg> readStdin(file_t& file) {
    const DescriptorRead result = readToEnd(STDIN_FILENO, file.data);
    switch (result.outcome) {
    case ReadOutcome::failed: {
        // Nothing read before the failure is dumped: the input is incomplete.
        file.data = Bytes();
        cli::Msg message;
        message.severity = cli::severityFatal;
        message.text = std::string("could not read standard input: ") + std::strerror(result.error);
        return message;
    }
    case ReadOutcome::tooLarge:
        file.data = Bytes();
        return tooLargeMessage(stdinLabel);
    case ReadOutcome::complete: break;
    }
    file.directory.clear();
    file.name = stdinLabel;
    return std::nullopt;
}

}  // namespace nuk
