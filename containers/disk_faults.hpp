#pragma once
// The messages of a damaged or unreadable disk image. Each names the FILE
// argument ("disk.d64:GAME") in the file layer's "'" + argument + "': ..."
// form.

#include <string>

#include "cli/message.hpp"
#include "containers/disk_image.hpp"

namespace nuk::disk {

// What a sector chain belongs to, for the messages: "file" or "directory".
enum class Chain { file, directory };

cli::Msg chainLeavesImage(const std::string& argument, Chain chain, Location to);
cli::Msg chainLoops(const std::string& argument, Chain chain);
cli::Msg fileStartsOutside(const std::string& argument, Location at);
cli::Msg lastByteTooLow(const std::string& argument, unsigned lastByte);
cli::Msg sectorUnreadable(const std::string& argument, Chain chain, Location where, std::uint8_t errorByte);
cli::Msg imageReadFailed(const std::string& argument, int errorNumber);

}  // namespace nuk::disk
