// Standard input, unchanged, straight from its descriptor as it arrives.

#include <cstring>
#include <string>

#include <unistd.h>

#include "files/descriptor_source.hpp"
#include "files/file.hpp"

namespace nuk {

std::optional<cli::Msg> openStdin(file_t& file, ReadAhead readAhead) {
    const auto readFailed = [](int errorNumber) {
        cli::Msg message;
        message.severity = cli::severityFatal;
        message.text = std::string("could not read standard input: ") + std::strerror(errorNumber);
        return message;
    };
    if (auto problem = openStream(STDIN_FILENO, Ownership::borrowed, readFailed, readAhead, file.source))
        return problem;
    file.directory.clear();
    file.name = stdinLabel;
    return std::nullopt;
}

}  // namespace nuk
