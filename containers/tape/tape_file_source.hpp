#pragma once
// A file on a tape, delivered as the machine loads it: a program as its
// start address and its data, a data file as the bytes of its blocks. A
// file the tape holds damaged in both copies delivers the bytes before the
// damage, then fails with the message that says where it is.

#include <memory>
#include <string>

#include "containers/image_file.hpp"
#include "containers/tape/tap_file.hpp"
#include "containers/tape/tape_directory.hpp"
#include "files/block_source.hpp"

namespace nuk::tape {

std::unique_ptr<BlockSource> openTapeFile(std::shared_ptr<disk::ImageFile> file, const TapHeader& header,
                                          const TapeFile& tapeFile, std::string argument);

}  // namespace nuk::tape
