#pragma once
// An input of which some bytes have been read ahead: those bytes first, then
// the rest of the input, as if none had been read.

#include <memory>
#include <vector>

#include "files/block_source.hpp"

namespace nuk {

// `rest` must outlive the source; its failure becomes the source's failure.
std::unique_ptr<BlockSource> heldBytesThen(std::vector<std::uint8_t> held, BlockSource& rest);

}  // namespace nuk
