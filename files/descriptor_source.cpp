// Inputs read from a descriptor: streams as they arrive, regular files up to
// the size they had when they were opened.

#include "files/descriptor_source.hpp"

#include <algorithm>
#include <cerrno>
#include <utility>

namespace nuk {

namespace {

// Reading and seeking a descriptor, with failures kept as the message.
class DescriptorSource : public BlockSource {
public:
    DescriptorSource(int descriptor, Ownership ownership, ReadFailure onFailure)
        : descriptor_(descriptor), ownership_(ownership), onFailure_(std::move(onFailure)) {}
    ~DescriptorSource() override {
        if (ownership_ == Ownership::owned) closeDescriptor(descriptor_);
    }
    DescriptorSource(const DescriptorSource&) = delete;
    DescriptorSource& operator=(const DescriptorSource&) = delete;

protected:
    // A failing or ended descriptor ends the input rather than being asked
    // again.
    std::size_t readSome(std::uint8_t* into, std::size_t n) {
        if (over()) return 0;
        const long got = readDescriptor(descriptor_, into, n);
        if (got < 0) {
            failure_ = onFailure_(errno);
            return 0;
        }
        ended_ = got == 0;
        return static_cast<std::size_t>(got);
    }

    // False, with the message, when the offset could not be moved.
    bool seekTo(std::uint64_t offset) {
        if (seekDescriptor(descriptor_, offset)) return true;
        failure_ = onFailure_(errno);
        return false;
    }

    bool over() const { return failure_ || ended_; }

    const int descriptor_;

private:
    const Ownership ownership_;
    const ReadFailure onFailure_;
    bool ended_ = false;
};

class StreamSource final : public DescriptorSource {
public:
    using DescriptorSource::DescriptorSource;

    std::optional<std::uint64_t> size() const override { return std::nullopt; }

    // Waits for the first byte; false when the read failed.
    bool readAhead() {
        haveAhead_ = readSome(&ahead_, 1) == 1;
        return !failure_;
    }

    // The byte read ahead comes alone: reading on could wait for more.
    std::size_t readBytes(std::uint8_t* into, std::size_t n) override {
        if (!haveAhead_) return readSome(into, n);
        haveAhead_ = false;
        *into = ahead_;
        return 1;
    }

    // A regular file behind the stream (standard input redirected from one)
    // has as many bytes left as it reaches past the offset now.
    std::optional<std::uint64_t> remaining() const override {
        const std::optional<std::uint64_t> end = storedSize(descriptor_);
        const std::optional<std::uint64_t> offset = descriptorOffset(descriptor_);
        if (!end || !offset || over()) return std::nullopt;
        return (*end > *offset ? *end - *offset : 0) + (haveAhead_ ? 1 : 0);
    }

    // A regular file behind the stream (standard input redirected from one)
    // is seeked over, as far as it reaches now; anything else is read.
    std::uint64_t skipBytes(std::uint64_t n) override {
        const std::optional<std::uint64_t> end = storedSize(descriptor_);
        const std::optional<std::uint64_t> offset = descriptorOffset(descriptor_);
        if (!end || !offset || over() || n == 0) return BlockSource::skipBytes(n);
        std::uint64_t passed = 0;
        if (haveAhead_) {
            haveAhead_ = false;
            passed = 1;
        }
        const std::uint64_t left = *end > *offset ? *end - *offset : 0;
        const std::uint64_t seeked = std::min(n - passed, left);
        return seekTo(*offset + seeked) ? passed + seeked : passed;
    }

private:
    std::uint8_t ahead_ = 0;
    bool haveAhead_ = false;
};

class SizedFileSource final : public DescriptorSource {
public:
    SizedFileSource(int descriptor, std::uint64_t size, ReadFailure onFailure, cli::Msg endedEarly)
        : DescriptorSource(descriptor, Ownership::owned, std::move(onFailure)),
          size_(size),
          endedEarly_(std::move(endedEarly)) {}

    std::optional<std::uint64_t> size() const override { return size_; }
    std::optional<std::uint64_t> remaining() const override { return position_ < size_ ? size_ - position_ : 0; }

    // A file that shrank ends early: that is a size mismatch, not a failing
    // device.
    std::size_t readBytes(std::uint8_t* into, std::size_t n) override {
        if (position_ >= size_) return 0;
        const std::size_t got = readSome(into, static_cast<std::size_t>(std::min<std::uint64_t>(n, size_ - position_)));
        position_ += got;
        if (got == 0 && !failure_) failure_ = endedEarly_;
        return got;
    }

    std::uint64_t skipBytes(std::uint64_t n) override {
        if (over() || position_ >= size_) return 0;
        const std::uint64_t passed = std::min(n, size_ - position_);
        if (!seekTo(position_ + passed)) return 0;
        position_ += passed;
        return passed;
    }

private:
    const std::uint64_t size_;
    const cli::Msg endedEarly_;
    std::uint64_t position_ = 0;
};

}  // namespace

std::optional<cli::Msg> openStream(int descriptor, Ownership ownership, ReadFailure onFailure, ReadAhead readAhead,
                                   std::unique_ptr<BlockSource>& source) {
    auto opened = std::make_unique<StreamSource>(descriptor, ownership, std::move(onFailure));
    if (readAhead == ReadAhead::firstByte && !opened->readAhead()) return opened->failure();
    source = std::move(opened);
    return std::nullopt;
}

void openSizedFile(int descriptor, std::uint64_t size, ReadFailure onFailure, cli::Msg endedEarly,
                   std::unique_ptr<BlockSource>& source) {
    source = std::make_unique<SizedFileSource>(descriptor, size, std::move(onFailure), std::move(endedEarly));
}

}  // namespace nuk
