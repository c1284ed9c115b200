#pragma once
// A selector after a FILE's colon served from a disk image: "disk.d64:NAME"
// (the first file whose name matches), "disk.d64:$" (the directory listing)
// and "disk.d64:$:PATTERN" (the listing of the matching entries only).

#include <optional>
#include <string>

#include "cli/message.hpp"
#include "files/file.hpp"

namespace nuk {

// The path names a regular file of one of the disk image sizes.
bool isDiskImage(const std::string& path);

// Opens the image, finds what the selector names and hands it to the handler
// as an input of its own, named "path:selector". Nothing reaches the handler
// when the image cannot be read or nothing matches: the message comes back.
std::optional<cli::Msg> processDiskSelector(const std::string& imagePath, const std::string& selector,
                                            const FileHandler& handler);

}  // namespace nuk
