#pragma once
// A disk image as a container, whatever keeps its sectors: its directory is
// the listing, its files are the entries.

#include <memory>
#include <string>

#include "containers/container.hpp"
#include "containers/disk/disk_image.hpp"

namespace nuk {

std::unique_ptr<Container> openDiskContainer(disk::DiskImage image, std::string argument);

}  // namespace nuk
