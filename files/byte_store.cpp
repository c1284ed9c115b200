// Holding a whole input in one byte vector.

#include "files/byte_store.hpp"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>

namespace nuk {

namespace {

const std::uint64_t largestVector = Bytes().max_size();

// Reserves twice the needed size when that is possible, else just enough.
void reserveFor(Bytes& data, std::uint64_t needed) {
    const std::uint64_t doubled = std::min(needed * 2, largestVector);
    try {
        data.reserve(static_cast<std::size_t>(doubled));
    } catch (const std::bad_alloc&) {
        data.reserve(static_cast<std::size_t>(needed));
    }
}

}  // namespace

bool fitsInMemory(std::uint64_t size) {
    return size <= std::numeric_limits<std::size_t>::max() && size <= largestVector;
}

bool appendChunk(Bytes& data, const std::uint8_t* chunk, std::size_t n) {
    const std::uint64_t total = std::uint64_t{data.size()} + n;
    if (!fitsInMemory(total)) return false;
    try {
        if (total > data.capacity()) reserveFor(data, total);
    } catch (const std::bad_alloc&) {
        return false;
    } catch (const std::length_error&) {
        return false;
    }
    data.insert(data.end(), chunk, chunk + n);
    return true;
}

void trimToSize(Bytes& data) { data.shrink_to_fit(); }

}  // namespace nuk
