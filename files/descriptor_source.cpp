// A stream read from a descriptor as it arrives.

#include "files/descriptor_source.hpp"

#include <cerrno>
#include <utility>

namespace nuk {

namespace {

class DescriptorSource final : public BlockSource {
public:
    DescriptorSource(int descriptor, bool owned, ReadFailure onFailure)
        : descriptor_(descriptor), owned_(owned), onFailure_(std::move(onFailure)) {}
    ~DescriptorSource() override {
        if (owned_) closeDescriptor(descriptor_);
    }
    DescriptorSource(const DescriptorSource&) = delete;
    DescriptorSource& operator=(const DescriptorSource&) = delete;

    std::optional<std::uint64_t> size() const override { return std::nullopt; }

    // Waits for the first byte; false when the read failed.
    bool readAhead() {
        haveAhead_ = readSome(&ahead_, 1) == 1;
        return !failure_;
    }

    // The byte read ahead comes alone: reading on could wait for more.
    std::size_t read(std::uint8_t* into, std::size_t n) override {
        if (!haveAhead_) return readSome(into, n);
        haveAhead_ = false;
        *into = ahead_;
        return 1;
    }

private:
    // A failing stream ends the input rather than being asked again.
    std::size_t readSome(std::uint8_t* into, std::size_t n) {
        if (failure_ || ended_) return 0;
        const long got = readDescriptor(descriptor_, into, n);
        if (got < 0) {
            failure_ = onFailure_(errno);
            return 0;
        }
        ended_ = got == 0;
        return static_cast<std::size_t>(got);
    }

    const int descriptor_;
    const bool owned_;
    const ReadFailure onFailure_;
    bool ended_ = false;
    std::uint8_t ahead_ = 0;
    bool haveAhead_ = false;
};

}  // namespace

std::optional<cli::Msg> openDescriptor(int descriptor, bool owned, ReadFailure onFailure,
                                       std::unique_ptr<BlockSource>& source) {
    auto opened = std::make_unique<DescriptorSource>(descriptor, owned, std::move(onFailure));
    if (!opened->readAhead()) return opened->failure();
    source = std::move(opened);
    return std::nullopt;
}

}  // namespace nuk
