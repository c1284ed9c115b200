// The bytes read ahead of an input handed out again before the rest of it.

#include "files/held_bytes_source.hpp"

#include <algorithm>

namespace nuk {

namespace {

class HeldBytesSource final : public BlockSource {
public:
    HeldBytesSource(std::vector<std::uint8_t> held, BlockSource& rest) : held_(std::move(held)), rest_(rest) {
        if (const std::optional<std::uint64_t> left = rest_.remaining()) size_ = held_.size() + *left;
    }

    // Known only where the rest tells what is left of it.
    std::optional<std::uint64_t> size() const override { return size_; }

    std::optional<std::uint64_t> remaining() const override {
        const std::optional<std::uint64_t> left = rest_.remaining();
        if (!left) return std::nullopt;
        return held_.size() - next_ + *left;
    }

private:
    std::size_t readBytes(std::uint8_t* into, std::size_t n) override {
        if (next_ < held_.size()) {
            const std::size_t take = std::min(n, held_.size() - next_);
            std::copy_n(held_.begin() + static_cast<std::ptrdiff_t>(next_), take, into);
            next_ += take;
            return take;
        }
        const std::size_t got = rest_.read(into, n);
        if (got == 0) failure_ = rest_.failure();
        return got;
    }

    std::vector<std::uint8_t> held_;
    std::size_t next_ = 0;
    BlockSource& rest_;
    std::optional<std::uint64_t> size_;
};

}  // namespace

std::unique_ptr<BlockSource> heldBytesThen(std::vector<std::uint8_t> held, BlockSource& rest) {
    return std::make_unique<HeldBytesSource>(std::move(held), rest);
}

}  // namespace nuk
