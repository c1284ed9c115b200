#pragma once
// An input read from a descriptor: a regular file, whose size is known and
// which is read no further than that size, or a stream (standard input, a
// named pipe, a file of a pseudo file system) that is read as it arrives.
// Nothing is held beyond the block being read, and a read that fails hands
// out every byte that came before it.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/message.hpp"
#include "files/block_source.hpp"
#include "files/file.hpp"

namespace nuk {

// The message for a read that failed with the given errno.
using ReadFailure = std::function<cli::Msg(int errorNumber)>;

// Whether the source closes the descriptor when it goes.
enum class Ownership { borrowed, owned };

// Gives `source` a stream on the descriptor. When the descriptor is a
// regular file that can be seeked, skipped bytes are passed over by seeking
// rather than read; either way the descriptor's offset ends where reading
// stopped. With ReadAhead::firstByte the message of a first read that
// failed comes back instead of a source.
std::optional<cli::Msg> openStream(int descriptor, Ownership ownership, ReadFailure onFailure, ReadAhead readAhead,
                                   std::unique_ptr<BlockSource>& source);

// Gives `source` the regular file open on the descriptor (which it owns),
// read from its start up to `size`: a file that grows meanwhile shows what
// it held then; one that ends before `size` is reported with `endedEarly`.
void openSizedFile(int descriptor, std::uint64_t size, ReadFailure onFailure, cli::Msg endedEarly,
                   std::unique_ptr<BlockSource>& source);

// The platform's seams.
// A descriptor open for reading the file at path (binary, not inherited by
// child processes); -1 with errno when it cannot be opened.
int openForReading(const std::string& path);
// Up to n bytes, how many came, 0 at the end, -1 with errno on failure (an
// interrupted read is retried, not a failure).
long readDescriptor(int descriptor, std::uint8_t* into, std::size_t n);
void closeDescriptor(int descriptor);
// The size of the regular file open on the descriptor, when that size says
// how many bytes reading it gives: nothing for pipes and devices, and
// nothing for the files of pseudo file systems (a size of 0, or a size that
// is only a guess), which are read as the streams they are.
std::optional<std::uint64_t> storedSize(int descriptor);
// The descriptor's offset, when it can be seeked.
std::optional<std::uint64_t> descriptorOffset(int descriptor);
// Moves the offset; errno tells why when it could not.
bool seekDescriptor(int descriptor, std::uint64_t offset);

}  // namespace nuk
