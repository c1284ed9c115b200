#pragma once
// The messages of a damaged or unreadable disk image. Each names the FILE
// argument ("disk.d64:GAME") in the file layer's "'" + argument + "': ..."
// form.

#include <cstdint>
#include <string>

#include "cli/message.hpp"
#include "containers/disk/disk_image.hpp"

namespace nuk::disk {

// What a sector chain belongs to, for the messages: "file" or "directory".
enum class Chain { file, directory };

cli::Msg chainLeavesImage(const std::string& argument, Chain chain, Location to);
cli::Msg chainLoops(const std::string& argument, Chain chain);
cli::Msg fileStartsOutside(const std::string& argument, Location at);
cli::Msg lastByteTooLow(const std::string& argument, unsigned lastByte);
cli::Msg sectorUnreadable(const std::string& argument, Chain chain, Location where, std::uint8_t errorByte);

// The sectors below the files, asked for by track and sector.
cli::Msg trackOutside(const std::string& argument, std::uint64_t track, unsigned tracks);
cli::Msg sectorOutside(const std::string& argument, std::uint64_t track, std::uint64_t sector, unsigned sectors);
cli::Msg runEndsBeforeStart(const std::string& argument, Location first, Location last);
// The first sector of those shown that the drive could not read, and how
// many more of them there are.
cli::Msg sectorsUnreadable(const std::string& argument, Location first, std::uint8_t errorByte, std::uint64_t more);
cli::Msg noRecordedTracks(const std::string& argument);

}  // namespace nuk::disk
