// A disk image file read by position through its descriptor, one sector at
// a time.

#include "containers/image_file.hpp"

#include "files/descriptor_source.hpp"
#include "files/file_messages.hpp"

namespace nuk::disk {

namespace {

class DescriptorImageFile final : public ImageFile {
public:
    DescriptorImageFile(int descriptor, std::uint64_t size) : descriptor_(descriptor), size_(size) {}
    ~DescriptorImageFile() override { closeDescriptor(descriptor_); }
    DescriptorImageFile(const DescriptorImageFile&) = delete;
    DescriptorImageFile& operator=(const DescriptorImageFile&) = delete;

    std::uint64_t size() const override { return size_; }

    bool readAt(std::uint64_t offset, std::uint8_t* into, std::size_t n) override {
        if (offset > size_ || n > size_ - offset) return false;
        if (!seekDescriptor(descriptor_, offset)) return false;
        // A read may hand out fewer bytes than asked for; only the end of
        // the file or a failure stops it short.
        for (std::size_t done = 0; done < n;) {
            const long got = readDescriptor(descriptor_, into + done, n - done);
            if (got <= 0) return false;
            done += static_cast<std::size_t>(got);
        }
        return true;
    }

private:
    const int descriptor_;
    const std::uint64_t size_;
};

}  // namespace

cli::Msg imageReadFailed(const std::string& argument, int errorNumber) {
    return pathMessageWithCode(argument, "': unknown error during read: ", errorNumber);
}

std::unique_ptr<ImageFile> openImageFile(const std::string& path, std::uint64_t size) {
    const int descriptor = openForReading(path);
    if (descriptor < 0) return nullptr;
    return std::make_unique<DescriptorImageFile>(descriptor, size);
}

}  // namespace nuk::disk
