#pragma once
// The part of reading a file that every platform shares: the stream has been
// opened in binary mode, positioned at its end; take its size from there and
// read it whole with one read into a buffer sized once.

#include <istream>
#include <optional>
#include <string>

#include "cli/message.hpp"
#include "files/file.hpp"

namespace nuk {

// Fills file with the content and the path's directory and name parts;
// path is only used for those and for the messages.
std::optional<cli::Msg> readWholeStream(std::istream& stream, const std::string& path, file_t& file);

}  // namespace nuk
