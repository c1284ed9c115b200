// A regular file read block by block through a file stream.

#include "files/file_stream_source.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <utility>

#include "files/block_source.hpp"
#include "files/file_messages.hpp"

namespace nuk {

namespace {

cli::Msg readFailed(const std::string& path) {
    return pathMessageWithCode(path, "': unknown error during read: ", errno);
}

// Reads no further than the size the file had when it was opened, so a file
// that grows meanwhile shows what it held then; one that shrinks ends early,
// which is reported rather than shown as the end of the data.
class FileStreamSource final : public BlockSource {
public:
    FileStreamSource(std::ifstream stream, std::string path, std::uint64_t size)
        : stream_(std::move(stream)), path_(std::move(path)), size_(size) {}

    std::optional<std::uint64_t> size() const override { return size_; }

    // The bytes that came before a failure are handed out; the next read
    // returns 0.
    std::size_t read(std::uint8_t* into, std::size_t n) override {
        if (failure_ || position_ >= size_) return 0;
        const auto wanted = static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - position_));
        errno = 0;
        stream_.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(wanted));
        const auto got = static_cast<std::size_t>(stream_.gcount());
        position_ += got;
        // A file that shrank ends early: that is a size mismatch, not a
        // failing device.
        if (stream_.bad() || (stream_.fail() && !stream_.eof()))
            failure_ = readFailed(path_);
        else if (got < wanted)
            failure_ = pathMessage(path_, "': unexpected size of data read");
        return got;
    }

    std::uint64_t skip(std::uint64_t n) override {
        if (failure_ || position_ >= size_) return 0;
        const std::uint64_t passed = std::min(n, size_ - position_);
        errno = 0;
        stream_.seekg(static_cast<std::streamoff>(position_ + passed), std::ios::beg);
        if (stream_.fail()) {
            failure_ = readFailed(path_);
            return 0;
        }
        position_ += passed;
        return passed;
    }

private:
    std::ifstream stream_;
    const std::string path_;
    const std::uint64_t size_;
    std::uint64_t position_ = 0;
};

}  // namespace

std::optional<cli::Msg> openFileStream(std::ifstream stream, const std::string& path, file_t& file) {
    errno = 0;
    const std::streamoff end = stream.tellg();
    if (stream.fail() || end < 0) return readFailed(path);
    stream.clear();
    stream.seekg(0, std::ios::beg);
    if (stream.fail()) return readFailed(path);
    file.source = std::make_unique<FileStreamSource>(std::move(stream), path, static_cast<std::uint64_t>(end));
    file.directory = dirName(path);
    file.name = baseName(path);
    return std::nullopt;
}

}  // namespace nuk
