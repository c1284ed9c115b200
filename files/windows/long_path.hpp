#pragma once
// Paths at the boundary to the Windows file system. Inside the program a path
// is the UTF-8 text the user gave; the system gets it absolute, in UTF-16 and
// with the long-path prefix, so that any name and any length can be opened.

#include <string>

namespace nuk {

// "\\?\" + the absolute UTF-16 form of path; empty when the system cannot
// resolve it (an empty path). Throws std::runtime_error for invalid UTF-8.
std::wstring toLongPath(const std::string& path);

// directory + one backslash + name, without the separators either side
// brought along, slashes turned into backslashes; name alone when directory
// is empty.
std::string joinPath(const std::string& directory, const std::string& name);

// The attributes of the path (GetFileAttributesW on its long form), or
// INVALID_FILE_ATTRIBUTES; the system's error code is left for GetLastError.
unsigned long fileAttributes(const std::string& path);

}  // namespace nuk
