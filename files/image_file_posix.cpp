// The platform side of reading a disk image: what the path names, and the
// stream it is read through.

#include "files/image_file.hpp"

#include <sys/stat.h>

namespace nuk::disk {

std::optional<std::uint64_t> regularFileSize(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

std::ifstream openBinaryStream(const std::string& path) { return std::ifstream(path, std::ios::in | std::ios::binary); }

}  // namespace nuk::disk
