#pragma once
// A file that lies in one piece of its container's file (an archive's entry,
// a cartridge's chip), read from there a block at a time: its load address
// first when the container keeps it apart, then its bytes.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "cli/message.hpp"
#include "containers/image_file.hpp"
#include "files/block_source.hpp"

namespace nuk {

struct FilePiece {
    std::optional<std::uint16_t> loadAddress;
    std::uint64_t offset = 0;  // of its bytes in the container's file
    std::uint64_t length = 0;  // of its bytes, without the load address
};

// What a piece that its container's file cuts short says after its last
// byte there: given the bytes delivered and those it should have had, the
// load address counted in both.
using PieceCutShort = std::function<cli::Msg(std::uint64_t delivered, std::uint64_t expected)>;

// A piece that lies wholly inside the file has its size and the bytes left
// known, as the file it was would; passing over its bytes only moves the
// position. One that runs past the end of the file delivers the bytes that
// are there and then fails with `cutShort`; a failing read names `argument`.
std::unique_ptr<BlockSource> openFilePiece(std::shared_ptr<disk::ImageFile> file, const FilePiece& piece,
                                           std::string argument, PieceCutShort cutShort);

}  // namespace nuk
