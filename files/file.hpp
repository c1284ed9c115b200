#pragma once
// The file layer: one input and the source its bytes are read from, path
// splitting, path checks, opening a file or standard input, and the dispatch
// of a FILE argument. Nothing here prints: every problem comes back as a
// message.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/message.hpp"
#include "files/block_source.hpp"

namespace nuk {

// One input. Its content is not held whole: the handler reads what it shows
// through the source, block by block, and the open file lives as long as
// the record.
struct file_t {
    std::string directory;
    std::string name;
    std::unique_ptr<BlockSource> source;
};

using FileHandler = std::function<std::optional<cli::Msg>(file_t&)>;
using PathHandler = std::function<std::optional<cli::Msg>(const std::string&)>;
using DirectoryHandler = std::function<std::optional<cli::Msg>(const std::string&, PathHandler)>;
// Takes the message about one match of a pattern (the Windows form expands
// patterns itself), which stops neither the other matches nor the argument.
using MatchMessageHandler = std::function<void(const cli::Msg&)>;

extern const std::string pathSeparators;  // slash and backslash, on every platform

inline const char* const stdinLabel = "[data_from_stdin]";

std::string baseName(const std::string& path);
std::string dirName(const std::string& path);

bool isFile(const char* path);
bool isFile(const std::string& path);
bool isDirectory(const char* path);
bool isDirectory(const std::string& path);
// The size of the file path names when it is a regular file; nothing for
// anything else (a directory, a pipe, a device) and for a path that cannot
// be looked at.
std::optional<std::uint64_t> regularFileSize(const std::string& path);

std::optional<cli::Msg> checkPathExistsReadable(const std::string& path);
std::optional<cli::Msg> checkFileExistsReadable(const std::string& path);

// Whether the first byte of standard input is read when it is opened: then
// input that cannot be read at all is reported before anything of it is
// written. A dump that shows nothing reads nothing.
enum class ReadAhead { firstByte, nothing };

// Open the input and give file its source; reading happens in the handler.
std::optional<cli::Msg> openFile(const std::string& path, file_t& file);
std::optional<cli::Msg> openStdin(file_t& file, ReadAhead readAhead);
std::optional<cli::Msg> processFile(const std::string& path, const FileHandler& handler);
std::optional<cli::Msg> processStdin(const FileHandler& handler, ReadAhead readAhead);
std::optional<cli::Msg> glob(const std::string& argument, PathHandler onFile, DirectoryHandler onDirectory,
                             MatchMessageHandler onMatchMessage);

}  // namespace nuk
