#pragma once
// A stream read from a descriptor as it arrives: standard input, and on
// Linux a named pipe. Nothing is held beyond the block being read.

#include <functional>
#include <memory>

#include "cli/message.hpp"
#include "files/block_source.hpp"

namespace nuk {

// The message for a read that failed with the given errno.
using ReadFailure = std::function<cli::Msg(int errorNumber)>;

// Gives `source` a source on the descriptor (closed at the end when `owned`)
// whose first byte has been read already: a descriptor that cannot be read
// at all is reported before anything of the input is written, and then
// that message comes back instead.
std::optional<cli::Msg> openDescriptor(int descriptor, bool owned, ReadFailure onFailure,
                                       std::unique_ptr<BlockSource>& source);

// The platform's read: up to n bytes, how many came, 0 at the end, -1 with
// errno on failure (an interrupted read is retried, not a failure).
long readDescriptor(int descriptor, std::uint8_t* into, std::size_t n);
void closeDescriptor(int descriptor);

}  // namespace nuk
