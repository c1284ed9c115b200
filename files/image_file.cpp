// A disk image file read by position through a file stream.

#include "files/image_file.hpp"

#include <cerrno>
#include <utility>

namespace nuk::disk {

namespace {

class StreamImageFile final : public ImageFile {
public:
    StreamImageFile(std::ifstream stream, std::uint64_t size) : stream_(std::move(stream)), size_(size) {}

    std::uint64_t size() const override { return size_; }

    bool readAt(std::uint64_t offset, std::uint8_t* into, std::size_t n) override {
        if (offset > size_ || n > size_ - offset) return false;
        stream_.clear();
        errno = 0;
        stream_.seekg(static_cast<std::streamoff>(offset), std::ios::beg);
        stream_.read(reinterpret_cast<char*>(into), static_cast<std::streamsize>(n));
        return stream_.good() && static_cast<std::size_t>(stream_.gcount()) == n;
    }

private:
    std::ifstream stream_;
    const std::uint64_t size_;
};

}  // namespace

std::unique_ptr<ImageFile> openImageFile(const std::string& path, std::uint64_t size) {
    errno = 0;
    std::ifstream stream = openBinaryStream(path);
    if (!stream) return nullptr;
    return std::make_unique<StreamImageFile>(std::move(stream), size);
}

}  // namespace nuk::disk
