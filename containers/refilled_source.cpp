// Handing out a source's bytes batch by batch.

#include "containers/refilled_source.hpp"

#include <algorithm>

namespace nuk {

std::size_t RefilledSource::readBytes(std::uint8_t* into, std::size_t n) {
    std::size_t done = 0;
    while (done < n) {
        if (left_ == 0) {
            if (ended_ || !refill()) {
                ended_ = true;
                break;
            }
            continue;
        }
        const std::size_t take = std::min(n - done, left_);
        std::copy_n(next_, take, into + done);
        next_ += take;
        left_ -= take;
        handedOut_ += take;
        done += take;
    }
    return done;
}

}  // namespace nuk
