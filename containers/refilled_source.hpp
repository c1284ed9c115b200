#pragma once
// A source whose bytes are made a batch at a time and handed out from
// there: a listing's lines, a file's sectors, a tape's blocks.

#include <cstddef>
#include <cstdint>

#include "files/block_source.hpp"

namespace nuk {

class RefilledSource : public BlockSource {
protected:
    // Makes the next bytes and gives them to handOut(); false at the end,
    // with failure_ set where a fault ends the source. Not asked again
    // after it has said false.
    virtual bool refill() = 0;
    // The bytes to hand out next: they stay where they are until the next
    // refill().
    void handOut(const std::uint8_t* bytes, std::size_t length) {
        next_ = bytes;
        left_ = length;
    }
    // The bytes handed out so far.
    std::uint64_t handedOut() const { return handedOut_; }

    std::size_t readBytes(std::uint8_t* into, std::size_t n) override;

private:
    const std::uint8_t* next_ = nullptr;
    std::size_t left_ = 0;
    std::uint64_t handedOut_ = 0;
    bool ended_ = false;
};

}  // namespace nuk
