// The messages of a damaged or unreadable disk image.

#include "files/disk_faults.hpp"

#include "files/file_messages.hpp"

namespace nuk::disk {

namespace {

std::string owner(Chain chain) { return chain == Chain::file ? "file's" : "directory's"; }

std::string place(Location where) {
    return "track " + std::to_string(where.track) + " sector " + std::to_string(where.sector);
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

cli::Msg imageReadFailed(const std::string& argument, int errorNumber) {
    return pathMessageWithCode(argument, "': unknown error during read: ", errorNumber);
}

}  // namespace nuk::disk
