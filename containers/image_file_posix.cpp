// The platform side of recognising a disk image: whether the path names a
// regular file, and its size.

#include "containers/image_file.hpp"

#include <sys/stat.h>

namespace nuk::disk {

std::optional<std::uint64_t> regularFileSize(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace nuk::disk
