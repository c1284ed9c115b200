#include "app/run_reverse.hpp"

#include <iostream>
#include <optional>

#include "app/options.hpp"
#include "app/output_check.hpp"
#include "app/run_inputs.hpp"
#include "basic/listing_input.hpp"
#include "cli/message.hpp"
#include "cli/value.hpp"
#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "reverse/reverse_dump.hpp"

namespace {

using nuk::cli::Msg;

std::string faultSuffix(const undump::Fault& fault) {
    return ", line " + std::to_string(fault.line) + ": " + fault.text;
}

// With --list the input is a listing: its program, in the dialect named
// (BASIC 2 otherwise), at that dialect's start or the address -S gives.
basic::ListingInputSettings listingInputSettings() {
    basic::ListingInputSettings settings;
    if (list.hasValues()) settings.dialect = basic::dialectNamed(list.values.front()).value_or(basic::Dialect::basic2);
    settings.loadAddress = basic::basicStart(settings.dialect);
    if (start.given()) settings.loadAddress = static_cast<std::uint16_t>(nuk::cli::toInteger(start.values.front()) & 0xFFFF);
    settings.characterSet = characterSet(lowercase.given());
    return settings;
}

std::optional<undump::Fault> readBack(nuk::BlockSource& source) {
    if (list.given()) return basic::readListing(source, listingInputSettings(), std::cout);
    undump::ReverseSettings settings;
    settings.loadAddress = load.given();
    return undump::reverseDump(source, settings, std::cout);
}

// The bytes of one input's dumps or listing; the message of a read that
// failed comes first, as the fault it may cause is only its consequence.
std::optional<Msg> reverseInput(nuk::file_t& file, const std::optional<std::string>& path) {
    const std::optional<undump::Fault> fault = readBack(*file.source);
    if (file.source->failure()) return file.source->failure();
    if (!fault) return std::nullopt;
    if (path) return nuk::pathMessage(*path, "'" + faultSuffix(*fault), nuk::cli::severityFatal);
    Msg message;
    message.severity = nuk::cli::severityFatal;
    message.text = "standard input" + faultSuffix(*fault);
    return message;
}

// A dump file's name is a path, whatever colons it holds: there is no
// container to select from.
std::optional<Msg> reverseArgument(const std::string& argument) {
    const nuk::PathHandler onFile = [](const std::string& path) {
        return nuk::processFile(path, [&path](nuk::file_t& file) { return reverseInput(file, path); });
    };
    const nuk::DirectoryHandler onDirectory = [](const std::string& path, nuk::PathHandler) {
        warnSkippingDirectory(path);
        return std::optional<Msg>();
    };
    return nuk::glob(argument, onFile, onDirectory, warnAboutMatch);
}

}  // namespace

int runReverse(const std::vector<std::string>& arguments) {
    InputHandlers handlers;
    handlers.onArgument = reverseArgument;
    handlers.onStandardInput = [](nuk::file_t& file) { return reverseInput(file, std::nullopt); };
    return confirmStandardOutput(processInputs(arguments, handlers));
}
