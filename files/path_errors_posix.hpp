#pragma once
// Turning the errno of a failed access or stat on a path into its message.

#include <string>

#include "cli/message.hpp"

namespace nuk {

// ENOENT: "no such file or directory", EACCES: "permission denied",
// anything else "unknown error: " and the number.
cli::Msg pathErrorMessage(const std::string& path, int errorNumber);

}  // namespace nuk
