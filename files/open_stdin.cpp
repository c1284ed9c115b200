// Standard input, straight from its descriptor as it arrives.

#include "files/descriptor_source.hpp"
#include "files/file.hpp"
#include "files/standard_input_seam.hpp"

namespace nuk {

namespace {

// Descriptor 0 is standard input under both C runtimes.
constexpr int standardInputDescriptor = 0;

}  // namespace

std::optional<cli::Msg> openStdin(file_t& file, ReadAhead readAhead) {
    if (auto problem = prepareStandardInput()) return problem;
    const auto readFailed = [](int errorNumber) {
        cli::Msg message;
        message.severity = cli::severityFatal;
        message.text = "could not read standard input: " + runtimeErrorText(errorNumber);
        return message;
    };
    if (auto problem = openStream(standardInputDescriptor, Ownership::borrowed, readFailed, readAhead, file.source))
        return problem;
    file.directory.clear();
    file.name = stdinLabel;
    return std::nullopt;
}

}  // namespace nuk
