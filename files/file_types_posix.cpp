// What kind of thing a path names, and a regular file's size. stat follows
// symbolic links, so a link is what it points to, and a dangling link names
// nothing.

#include <sys/stat.h>

#include "files/file.hpp"

namespace nuk {

namespace {

bool hasType(const char* path, mode_t type) {
    struct stat info;
    return ::stat(path, &info) == 0 && (info.st_mode & S_IFMT) == type;
}

}  // namespace

bool isFile(const char* path) { return hasType(path, S_IFREG); }
bool isFile(const std::string& path) { return isFile(path.c_str()); }
bool isDirectory(const char* path) { return hasType(path, S_IFDIR); }
bool isDirectory(const std::string& path) { return isDirectory(path.c_str()); }

std::optional<std::uint64_t> regularFileSize(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

}  // namespace nuk
