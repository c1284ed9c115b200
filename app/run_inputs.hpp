#pragma once
// What every run loop (the dump, the LIST view, -r) does alike: standard
// input or each FILE argument in turn, the messages that come back from the
// layers below printed as they come, directories skipped, and raw bytes kept
// off a terminal.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/message.hpp"
#include "files/file.hpp"

// How one run treats its inputs: a FILE argument as the user wrote it, and
// standard input when there is none.
struct InputHandlers {
    std::function<std::optional<nuk::cli::Msg>(const std::string& argument)> onArgument;
    nuk::FileHandler onStandardInput;
    nuk::ReadAhead readAhead = nuk::ReadAhead::firstByte;
};

// Standard input when there are no arguments (refused, with the usage, when
// it is a terminal), otherwise every argument in turn, none stopping the
// others; returns 1 when a fatal message was reported, otherwise 0.
int processInputs(const std::vector<std::string>& arguments, const InputHandlers& handlers);

// Prints a message that came back from a lower layer; true when it was fatal.
bool report(const std::optional<nuk::cli::Msg>& message);

// A message about one match of a pattern is shown as a warning, whatever
// its own severity: one file of many that fails does not fail the argument.
void warnAboutMatch(const nuk::cli::Msg& message);

// Directories are named and skipped, never descended into.
void warnSkippingDirectory(const std::string& path);

// Raw bytes would only garble a terminal, and could set it to any state:
// true, after the fatal message, when they would go to one.
bool refuseRawBytesToTerminal(bool writesRawBytes);
