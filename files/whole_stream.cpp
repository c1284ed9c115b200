// Reading an opened file stream whole.

#include "files/whole_stream.hpp"

#include <cerrno>
#include <cstdint>
#include <new>

#include "files/byte_store.hpp"
#include "files/file_messages.hpp"

namespace nuk {

namespace {

std::optional<cli::Msg> readFailed(const std::string& path) {
    return pathMessageWithCode(path, "': unknown error during read: ", errno);
}

}  // namespace

std::optional<cli::Msg> readWholeStream(std::istream& stream, const std::string& path, file_t& file) {
    errno = 0;
    const std::streamoff end = stream.tellg();
    if (stream.fail() || end < 0) return readFailed(path);
    const auto size = static_cast<std::uint64_t>(end);
    if (!fitsInMemory(size)) return tooLargeMessage(path);

    stream.clear();
    stream.seekg(0, std::ios::beg);
    if (stream.fail()) return readFailed(path);
    try {
        reserveForInput(file.data, static_cast<std::size_t>(size));
        file.data.resize(static_cast<std::size_t>(size));
    } catch (const std::bad_alloc&) {
        file.data = Bytes();
        return tooLargeMessage(path);
    }

    if (size > 0) {
        errno = 0;
        stream.read(reinterpret_cast<char*>(file.data.data()), static_cast<std::streamsize>(size));
        const auto got = static_cast<std::uint64_t>(stream.gcount());
        // A file that shrank since its size was taken ends early: that is a
        // size mismatch, not a failing device.
        if (stream.bad() || (stream.fail() && !stream.eof())) return readFailed(path);
        if (got != size) return pathMessage(path, "': unexpected size of data read");
    }

    file.directory = dirName(path);
    file.name = baseName(path);
    return std::nullopt;
}

}  // namespace nuk
