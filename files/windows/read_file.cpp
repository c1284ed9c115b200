// Opening a file for the dump by its long UTF-16 path, so that any name and
// any length can be read.

#include <cerrno>
#include <fstream>

#include "files/file.hpp"
#include "files/file_messages.hpp"
#include "files/file_stream_source.hpp"
#include "files/windows/long_path.hpp"

namespace nuk {

std::optional<cli::Msg> readFile(const std::string& path, file_t& file) {
    errno = 0;
    std::ifstream stream(toLongPath(path).c_str(), std::ios::in | std::ios::binary | std::ios::ate);
    if (!stream) return pathMessageWithCode(path, "': unknown error while opening for read: ", errno);
    return openFileStream(std::move(stream), path, file);
}

}  // namespace nuk
