// Checking a path before reading it. Windows has no cheap readability test:
// only existence is checked here, and a file that cannot be read is reported
// when it is opened.

#include <windows.h>

#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "files/windows/long_path.hpp"

namespace nuk {

namespace {

cli::Msg pathErrorMessage(const std::string& path, DWORD code) {
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND: return pathMessage(path, "': no such file or directory");
    case ERROR_ACCESS_DENIED: return pathMessage(path, "': permission denied");
    case ERROR_INVALID_NAME: return pathMessage(path, "': invalid path/file syntax");
    default: return pathMessageWithCode(path, "': unknown error: ", code);
    }
}

bool hasAttributes(const std::string& path, DWORD& attributes) {
    attributes = fileAttributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

bool isFile(const std::string& path) {
    DWORD attributes = 0;
    return hasAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool isFile(const char* path) { return isFile(std::string(path)); }

bool isDirectory(const std::string& path) {
    DWORD attributes = 0;
    return hasAttributes(path, attributes) && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool isDirectory(const char* path) { return isDirectory(std::string(path)); }

// A device is no regular file, though it is no directory either.
std::optional<std::uint64_t> regularFileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(toLongPath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) return std::nullopt;
    return (static_cast<std::uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::optional<cli::Msg> checkPathExistsReadable(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (GetFileAttributesExW(toLongPath(path).c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
    return pathErrorMessage(path, GetLastError());
}

}  // namespace nuk
