#pragma once
// An entry of an archive read from the archive file a block at a time: its
// load address when the archive keeps one apart, then its bytes.

#include <memory>
#include <string>

#include "containers/archive_container.hpp"
#include "containers/image_file.hpp"
#include "files/block_source.hpp"

namespace nuk::archive {

// An entry that lies wholly inside the file has its size known, as the file
// it was would. One that runs past the end of the file delivers the bytes
// that are there and then fails, naming `argument`.
std::unique_ptr<BlockSource> openArchivedFile(std::shared_ptr<disk::ImageFile> file, const ArchivedFile& entry,
                                              const std::string& argument);

}  // namespace nuk::archive
