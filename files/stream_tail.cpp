// Keeping the end of a stream in a ring buffer, then handing it out as a
// source whose size is known.

#include "files/stream_tail.hpp"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace nuk {

namespace {

// The newest `capacity` bytes added, in as little memory as they take: a
// short input never allocates the whole capacity.
class Ring {
public:
    explicit Ring(std::uint64_t capacity)
        : capacity_(static_cast<std::size_t>(std::min<std::uint64_t>(capacity, std::numeric_limits<std::size_t>::max()))) {}

    void add(const std::uint8_t* bytes, std::size_t n) {
        if (capacity_ == 0) return;
        if (n > capacity_) {
            bytes += n - capacity_;  // older bytes would be overwritten at once
            n = capacity_;
        }
        const std::size_t growth = std::min(n, capacity_ - bytes_.size());
        if (growth > 0) grow(bytes, growth);
        bytes += growth;
        n -= growth;
        while (n > 0) {
            const std::size_t run = std::min(n, capacity_ - oldest_);
            std::copy_n(bytes, run, bytes_.begin() + static_cast<std::ptrdiff_t>(oldest_));
            oldest_ = (oldest_ + run) % capacity_;
            bytes += run;
            n -= run;
        }
    }

    // The bytes held, oldest first.
    std::vector<std::uint8_t> inOrder() && {
        std::rotate(bytes_.begin(), bytes_.begin() + static_cast<std::ptrdiff_t>(oldest_), bytes_.end());
        return std::move(bytes_);
    }

private:
    // Doubling as a vector does, but never past the capacity.
    void grow(const std::uint8_t* bytes, std::size_t n) {
        const std::size_t needed = bytes_.size() + n;
        if (needed > bytes_.capacity()) {
            const std::size_t doubled = bytes_.capacity() > capacity_ / 2 ? capacity_ : 2 * bytes_.capacity();
            bytes_.reserve(std::max(needed, doubled));
        }
        bytes_.insert(bytes_.end(), bytes, bytes + n);
    }

    const std::size_t capacity_;
    std::vector<std::uint8_t> bytes_;
    std::size_t oldest_ = 0;  // where the oldest byte is, once the ring is full
};

class KeptTail final : public BlockSource {
public:
    KeptTail(std::uint64_t position, std::uint64_t firstKept, std::vector<std::uint8_t> kept,
             std::optional<cli::Msg> failure)
        : position_(position), firstKept_(firstKept), kept_(std::move(kept)) {
        failure_ = std::move(failure);
    }

    std::optional<std::uint64_t> size() const override { return firstKept_ + kept_.size(); }
    std::optional<std::uint64_t> remaining() const override { return *size() - position_; }

protected:
    // Bytes before the kept ones are gone; asking for them ends the input.
    std::size_t readBytes(std::uint8_t* into, std::size_t n) override {
        if (position_ < firstKept_ || position_ >= *size()) return 0;
        const auto offset = static_cast<std::size_t>(position_ - firstKept_);
        const std::size_t got = std::min(n, kept_.size() - offset);
        std::copy_n(kept_.begin() + static_cast<std::ptrdiff_t>(offset), got, into);
        position_ += got;
        return got;
    }

    std::uint64_t skipBytes(std::uint64_t n) override {
        const std::uint64_t passed = std::min(n, *size() - position_);
        position_ += passed;
        return passed;
    }

private:
    std::uint64_t position_;
    const std::uint64_t firstKept_;
    const std::vector<std::uint8_t> kept_;
};

}  // namespace

std::unique_ptr<BlockSource> keepLastBytes(BlockSource& input, std::uint64_t consumed, std::uint64_t keep) {
    Ring ring(keep);
    std::vector<std::uint8_t> block(blockSize);
    std::uint64_t length = 0;
    for (std::size_t got; (got = input.read(block.data(), block.size())) > 0;) {
        ring.add(block.data(), got);
        length += got;
    }
    std::vector<std::uint8_t> kept = std::move(ring).inOrder();
    const std::uint64_t firstKept = consumed + length - kept.size();
    return std::make_unique<KeptTail>(consumed, firstKept, std::move(kept), input.failure());
}

}  // namespace nuk
