#pragma once
// A regular file read through a file stream, on every platform: its size is
// taken once when it is opened, and only the blocks asked for are read.

#include <fstream>
#include <optional>
#include <string>

#include "cli/message.hpp"
#include "files/file.hpp"

namespace nuk {

// Takes a stream opened in binary mode and positioned at its end, takes its
// size from there and gives file a source that reads it from the start;
// fills in the path's directory and name parts. path is only used for those
// and for the messages.
std::optional<cli::Msg> openFileStream(std::ifstream stream, const std::string& path, file_t& file);

}  // namespace nuk
