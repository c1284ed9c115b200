#pragma once
// The file layer: one input held whole in memory, path splitting, path checks,
// reading a file or all of standard input, and the dispatch of a FILE argument.
// Nothing here prints: every problem comes back as a message.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "cli/message.hpp"

namespace nuk {

struct file_t {
    std::string directory;
    std::string name;
    std::vector<std::uint8_t> data;
};

using FileHandler = std::function<std::optional<cli::Msg>(file_t&)>;
using PathHandler = std::function<std::optional<cli::Msg>(const std::string&)>;
using DirectoryHandler = std::function<std::optional<cli::Msg>(const std::string&, PathHandler)>;

extern const std::string pathSeparators;  // slash and backslash, on every platform

inline const char* const stdinLabel = "[data_from_stdin]";

std::string baseName(const std::string& path);
std::string dirName(const std::string& path);

bool isFile(const char* path);
bool isFile(const std::string& path);
bool isDirectory(const char* path);
bool isDirectory(const std::string& path);

std::optional<cli::Msg> checkPathExistsReadable(const std::string& path);
std::optional<cli::Msg> checkFileExistsReadable(const std::string& path);
std::optional<cli::Msg> readFile(const std::string& path, file_t& file);
std::optional<cli::Msg> readStdin(file_t& file);
std::optional<cli::Msg> processFile(const std::string& path, const FileHandler& handler);
std::optional<cli::Msg> processStdin(const FileHandler& handler);
std::optional<cli::Msg> glob(const std::string& argument, PathHandler onFile, DirectoryHandler onDirectory);

}  // namespace nuk
