#pragma once
// A file inside a disk image, read along its sector chain one sector at a
// time. Each sector's first two bytes link to the next one (track, sector);
// in the last sector (track 0) the second byte is the position of the last
// byte used, so it holds bytes 2 up to that one (none when it is 1).

#include <memory>
#include <string>

#include "containers/disk/disk_image.hpp"
#include "files/block_source.hpp"

namespace nuk::disk {

// The file's length shows only at the end of its chain, so the source has
// no size and is dumped as it is read, like a stream. A broken chain ends it
// after the bytes of the sound sectors before the break, with the message in
// failure(); argument names the FILE argument in that message.
std::unique_ptr<BlockSource> openChainedFile(DiskImage image, Location first, const std::string& argument);

}  // namespace nuk::disk
