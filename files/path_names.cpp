// Splitting a path into its directory part and its last component.
// Slash and backslash separate components on every platform.

#include "files/file.hpp"

namespace nuk {

const std::string pathSeparators = "/\\";

namespace {

struct PathParts {
    std::string directory;
    std::string name;
};

PathParts splitPath(const std::string& path) {
    const auto last = path.find_last_of(pathSeparators);
    if (last == std::string::npos) return {"", path};
    return {path.substr(0, last + 1), path.substr(last + 1)};
}

bool isDotName(const std::string& name) { return name == "." || name == ".."; }

}  // namespace

std::string baseName(const std::string& path) {
    const PathParts parts = splitPath(path);
    return isDotName(parts.name) ? std::string() : parts.name;
}

std::string dirName(const std::string& path) {
    const PathParts parts = splitPath(path);
    return isDotName(parts.name) ? path : parts.directory;
}

}  // namespace nuk
