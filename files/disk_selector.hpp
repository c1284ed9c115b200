#pragma once
// A selector after a FILE's colon served from a disk image: "disk.d64:NAME"
// (the first file whose name matches), "disk.d64:$" (the directory listing)
// and "disk.d64:$:PATTERN" (the listing of the matching entries only).

#include <optional>
#include <string>

#include "cli/message.hpp"
#include "files/file.hpp"

namespace nuk {

// The path's name ends in .d64, .d71 or .d81, in any case: it was meant to
// be a disk image, whatever it turns out to be.
bool namedAsDiskImage(const std::string& path);

// The refusal of a selector on anything but a disk image.
cli::Msg selectorRefused(const std::string& argument);

// Opens the image, finds what the selector names and hands it to the handler
// as an input of its own, named "path:selector". Nothing reaches the handler
// when the path is no disk image, the image cannot be read or nothing
// matches: the message comes back.
std::optional<cli::Msg> processDiskSelector(const std::string& imagePath, const std::string& selector,
                                            const FileHandler& handler);

}  // namespace nuk
