#pragma once
// An input handed out in pieces of the given sizes (in turn), as a pipe
// delivers it, or as a file of known size; a read that starts at or past
// `failAfter` bytes fails. For the unit tests and the streaming fuzz target.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>
#include <vector>

#include "cli/message.hpp"
#include "files/block_source.hpp"

namespace test {

class PieceSource final : public nuk::BlockSource {
public:
    static constexpr std::size_t noFailure = std::numeric_limits<std::size_t>::max();

    PieceSource(std::vector<std::uint8_t> data, std::vector<std::size_t> pieces, bool sized,
                std::size_t failAfter = noFailure)
        : data_(std::move(data)), pieces_(std::move(pieces)), sized_(sized), failAfter_(failAfter) {}

    std::optional<std::uint64_t> size() const override {
        return sized_ ? std::optional<std::uint64_t>(data_.size()) : std::nullopt;
    }

    std::optional<std::uint64_t> remaining() const override {
        return sized_ ? std::optional<std::uint64_t>(data_.size() - at_) : std::nullopt;
    }

    std::size_t readBytes(std::uint8_t* into, std::size_t n) override {
        if (n == 0) askedForNothing_ = true;
        if (failure_) return 0;
        if (at_ >= failAfter_) {
            failure_ = nuk::cli::Msg{nuk::cli::severityFatal, 0, "read failed", {}};
            return 0;
        }
        const std::size_t got = std::min({n, pieces_[next_++ % pieces_.size()], data_.size() - at_, failAfter_ - at_});
        std::copy_n(data_.begin() + static_cast<std::ptrdiff_t>(at_), got, into);
        at_ += got;
        return got;
    }

    // How many bytes were handed out.
    std::size_t taken() const { return at_; }
    // Whether a read asked for 0 bytes, which a source is never asked for.
    bool askedForNothing() const { return askedForNothing_; }

private:
    const std::vector<std::uint8_t> data_;
    const std::vector<std::size_t> pieces_;
    const bool sized_;
    const std::size_t failAfter_;
    std::size_t at_ = 0, next_ = 0;
    bool askedForNothing_ = false;
};

}  // namespace test
