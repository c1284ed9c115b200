// Standard input, unchanged, straight from its descriptor as it arrives.

#include <cstring>
#include <string>

#include <unistd.h>

#include "files/descriptor_source.hpp"
#include "files/file.hpp"

namespace nuk {

std::optional<cli::Msg> readStdin(file_t& file) {
    const auto readFailed = [](int errorNumber) {
        cli::Msg message;
        message.severity = cli::severityFatal;
        message.text = std::string("could not read standard input: ") + std::strerror(errorNumber);
        return message;
    };
    if (auto problem = openDescriptor(STDIN_FILENO, false, readFailed, file.source)) return problem;
    file.directory.clear();
    file.name = stdinLabel;
    return std::nullopt;
}

}  // namespace nuk
