// The platform side of recognising a disk image: whether the path names a
// regular file, and its size, by the path's long UTF-16 form.

#include "containers/image_file.hpp"

#include <windows.h>

#include "files/windows/long_path.hpp"

namespace nuk::disk {

std::optional<std::uint64_t> regularFileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(toLongPath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

}  // namespace nuk::disk
