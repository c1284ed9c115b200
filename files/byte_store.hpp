#pragma once
// Holding a whole input in one byte vector: whether a size fits at all on this
// build, and appending chunks of unknown total length with geometric growth.

#include <cstddef>
#include <cstdint>
#include <vector>

namespace nuk {

using Bytes = std::vector<std::uint8_t>;

// Transfer unit for inputs whose length is not known in advance.
constexpr std::size_t chunkSize = 1024 * 1024;

// True when size bytes can be held in one byte vector on this build. A 32-bit
// build cannot even address every size a 64-bit file offset can express.
bool fitsInMemory(std::uint64_t size);

// Appends n bytes, growing the capacity to twice the new total when it runs
// out, so that a long input is copied a logarithmic number of times.
// False when the total no longer fits (allocation failure included); data
// then holds what it held before.
bool appendChunk(Bytes& data, const std::uint8_t* chunk, std::size_t n);

// Makes room for an input whose size is known before it is read (throws
// std::bad_alloc like reserve). On Linux the pages of a large buffer are
// requested from the system at once rather than one page fault at a time,
// which is a large part of what reading a big file costs.
void reserveForInput(Bytes& data, std::size_t size);

// Gives back the spare capacity once the input is complete.
void trimToSize(Bytes& data);

}  // namespace nuk
