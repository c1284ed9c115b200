#include "app/run_inputs.hpp"

#include <iostream>

#include "app/options.hpp"
#include "app/output_check.hpp"
#include "console/console.hpp"
#include "files/file_messages.hpp"

namespace {

int processStandardInput(const InputHandlers& handlers) {
    if (nuk::con::isTerminal(std::cin)) {
        nuk::cli::error("missing at least one FILE");
        parser.printUsageLine(std::cerr);
        parser.printTryHelp(std::cerr);
        return 1;
    }
    const bool fatal = report(nuk::processStdin(handlers.onStandardInput, handlers.readAhead));
    noteStandardOutput();
    return fatal ? 1 : 0;
}

}  // namespace

int processInputs(const std::vector<std::string>& arguments, const InputHandlers& handlers) {
    if (arguments.empty()) return processStandardInput(handlers);
    int exitStatus = 0;
    for (const std::string& argument : arguments) {
        if (report(handlers.onArgument(argument))) exitStatus = 1;
        noteStandardOutput();
    }
    return exitStatus;
}

bool report(const std::optional<nuk::cli::Msg>& message) { return message && message->print(); }

void warnAboutMatch(const nuk::cli::Msg& message) { message.printAsWarning(0); }

void warnSkippingDirectory(const std::string& path) { nuk::pathMessage(path, "': skipping directory").print(); }

bool refuseRawBytesToTerminal(bool writesRawBytes) {
    if (!writesRawBytes || !nuk::con::isTerminal(std::cout)) return false;
    nuk::cli::fatal("standard output is a terminal: not writing raw bytes there");
    return true;
}
