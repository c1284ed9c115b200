#pragma once
// A disk image file read by position, a few bytes at a time: the disk code
// asks for one sector where it needs it and never holds the whole image.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "cli/message.hpp"

namespace nuk::disk {

class ImageFile {
public:
    virtual ~ImageFile() = default;
    virtual std::uint64_t size() const = 0;
    // Reads exactly n bytes at offset; false when they cannot all be read.
    virtual bool readAt(std::uint64_t offset, std::uint8_t* into, std::size_t n) = 0;
};

// What a read of the image file that failed with this errno says, naming
// the FILE argument ("disk.d64:GAME").
cli::Msg imageReadFailed(const std::string& argument, int errorNumber);

// The image file read through a descriptor opened as a FILE is; nothing
// when it cannot be opened (errno says why).
std::unique_ptr<ImageFile> openImageFile(const std::string& path, std::uint64_t size);

}  // namespace nuk::disk
