#pragma once
// A disk's sectors below its files, whole, as the drive reads them: a run of
// sectors by track and sector, the sectors of a file's own chains, and a GCR
// track's bits as the image records them.
//
// Each sector's bytes are what the image holds, also where the drive could
// not read the sector: its error byte (or the GCR decoder) then has the
// warning that follows the bytes name it and the drive's error. The source
// tells where each sector begins ("@18/1") and which positions a GCR
// sector's bits do not decode to.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "containers/disk/disk_image.hpp"
#include "files/block_source.hpp"

namespace nuk::disk {

// The sectors from `first` to `last` in the image's order, 256 bytes each;
// the disk holds both and `first` does not come after `last`. Its size is
// known, so passing over sectors reads none of them.
std::unique_ptr<BlockSource> openSectorRun(DiskImage image, Location first, Location last,
                                           const std::string& argument);

// The sectors along the chain from each start in turn, whole, link bytes
// included: a file's data sectors, then a REL file's side sectors. A chain
// that leaves the disk or loops ends the source with its message; one that
// reaches a sector the drive could not read ends after that sector.
std::unique_ptr<BlockSource> openChainSectors(DiskImage image, std::vector<Location> starts,
                                              const std::string& argument);

// A track's bits as the image records them, as bytes (at most 65535).
std::unique_ptr<BlockSource> openRecordedTrack(std::vector<std::uint8_t> bytes);

}  // namespace nuk::disk
