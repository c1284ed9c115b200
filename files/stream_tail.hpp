#pragma once
// The last bytes of an input that can only be read in order, such as a pipe
// or a file inside a disk image: the input is read to its end while only the
// bytes still wanted are held, in a ring that grows no larger than them.

#include <cstdint>
#include <memory>

#include "files/block_source.hpp"

namespace nuk {

// Reads `input` to its end (or its failure) and keeps its last `keep` bytes.
// `consumed`: the bytes taken from the input before. The result is a source
// of the input's whole size, positioned after the `consumed` bytes, whose
// bytes before the kept ones are gone: they can be skipped, not read. A
// failure of the input is its failure too, from the start: the kept bytes
// are what arrived before it.
std::unique_ptr<BlockSource> keepLastBytes(BlockSource& input, std::uint64_t consumed, std::uint64_t keep);

}  // namespace nuk
