#pragma once
// The input behind a FILE argument, once its descriptor is open: on every
// platform a regular file is read by its size, anything else as a stream.

#include <optional>
#include <string>

#include "cli/message.hpp"
#include "files/file.hpp"

namespace nuk {

// Gives file a source on the descriptor, which it then owns, and fills in
// the path's directory and name parts. path is only used for those and for
// the messages. Nothing is read yet.
std::optional<cli::Msg> openFileOn(int descriptor, const std::string& path, file_t& file);

}  // namespace nuk
