// The messages of a damaged or unreadable disk image.

#include "containers/disk/disk_faults.hpp"

#include "files/file_messages.hpp"

namespace nuk::disk {

namespace {

std::string owner(Chain chain) { return chain == Chain::file ? "file's" : "directory's"; }

std::string place(Location where) {
    return "track " + std::to_string(where.track) + " sector " + std::to_string(where.sector);
}

// What an image's error byte records, in the drive's own error numbers:
// bytes $02 to $0B stand for errors 20 to 29, $0F for 74.
std::string driveError(std::uint8_t errorByte) {
    static const char* const names[] = {"header not found", "no sync",      "data block not found",
                                        "data checksum",    "byte decoding", "write verify",
                                        "write protect on", "header checksum", "long data block",
                                        "disk id mismatch"};
    if (errorByte >= 0x02 && errorByte <= 0x0B)
        return "error " + std::to_string(errorByte + 18) + ", " + names[errorByte - 0x02];
    if (errorByte == 0x0F) return "error 74, drive not ready";
    static const char digits[] = "0123456789ABCDEF";
    return std::string("error byte $") + digits[errorByte >> 4] + digits[errorByte & 15];
}

}  // namespace

cli::Msg chainLeavesImage(const std::string& argument, Chain chain, Location to) {
    return pathMessage(argument, "': " + owner(chain) + " sector chain links to " + place(to) +
                                     ", outside the disk image");
}

cli::Msg chainLoops(const std::string& argument, Chain chain) {
    return pathMessage(argument, "': " + owner(chain) + " sector chain loops");
}

cli::Msg fileStartsOutside(const std::string& argument, Location at) {
    return pathMessage(argument, "': file starts at " + place(at) + ", outside the disk image");
}

cli::Msg lastByteTooLow(const std::string& argument, unsigned lastByte) {
    return pathMessageWithCode(argument, "': file's last sector has an invalid last-byte value: ", lastByte);
}

cli::Msg sectorUnreadable(const std::string& argument, Chain chain, Location where, std::uint8_t errorByte) {
    return pathMessage(argument, "': " + owner(chain) + " sector chain reaches " + place(where) +
                                     ", which the drive could not read (" + driveError(errorByte) + ")");
}

}  // namespace nuk::disk

namespace nuk::disk {

// A range is written with an en dash, as in print.
const std::string enDash = "\xE2\x80\x93";

cli::Msg trackOutside(const std::string& argument, std::uint64_t track, unsigned tracks) {
    return pathMessage(argument, "': track " + std::to_string(track) + " is outside the disk (1" + enDash +
                                     std::to_string(tracks) + ")");
}

cli::Msg sectorOutside(const std::string& argument, std::uint64_t track, std::uint64_t sector, unsigned sectors) {
    return pathMessage(argument, "': sector " + std::to_string(sector) + " is outside track " + std::to_string(track) +
                                     " (0" + enDash + std::to_string(sectors - 1) + ")");
}

cli::Msg runEndsBeforeStart(const std::string& argument, Location first, Location last) {
    return pathMessage(argument, "': the run of sectors ends at " + place(last) + ", before its start at " +
                                     place(first));
}

cli::Msg sectorsUnreadable(const std::string& argument, Location first, std::uint8_t errorByte, std::uint64_t more) {
    std::string text = "': the drive could not read " + place(first) + " (" + driveError(errorByte) + ")";
    if (more > 0) text += " and " + std::to_string(more) + (more == 1 ? " more sector" : " more sectors");
    return pathMessage(argument, text);
}

cli::Msg noRecordedTracks(const std::string& argument) {
    return pathMessage(argument, "': a sector image records no tracks (%T is for G64 and G71 images)");
}

}  // namespace nuk::disk
