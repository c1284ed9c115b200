#pragma once
// The messages of the file layer. A message that names a path keeps its own
// copy of the path and writes it as "'" + path + suffix when printed; the path
// goes through the console-aware string so that any name shows correctly.

#include <cstdint>
#include <optional>
#include <string>

#include "cli/message.hpp"

namespace nuk {

// "'" + path + suffix, with the given severity.
cli::Msg pathMessage(const std::string& path, const std::string& suffix,
                     std::int32_t severity = cli::severityWarning);

// "'" + path + suffix + code: the code is taken when the failure happens, not
// when the message is printed, so later calls cannot change what it says.
cli::Msg pathMessageWithCode(const std::string& path, const std::string& suffix, std::int64_t code);

// The messages of a FILE that could not be opened, and of a read of it that
// failed, with the errno of the failure.
cli::Msg openFailed(const std::string& path, int errorNumber);
cli::Msg readFailed(const std::string& path, int errorNumber);

}  // namespace nuk
