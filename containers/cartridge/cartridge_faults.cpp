// The messages of a damaged cartridge image.

#include "containers/cartridge/cartridge_faults.hpp"

#include "files/file_messages.hpp"

namespace nuk::cartridge {

namespace {

// "$0040": at least four digits, as the dump's addresses have.
std::string hexOffset(std::uint64_t offset) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text;
    do {
        text.insert(text.begin(), digits[offset & 15]);
        offset >>= 4;
    } while (offset != 0 || text.size() < 4);
    return "$" + text;
}

std::string packetAt(std::uint64_t offset) { return "CHIP packet at offset " + hexOffset(offset); }

}  // namespace

cli::Msg noChipPacketAt(const std::string& argument, std::uint64_t offset) {
    return pathMessage(argument, "': no " + packetAt(offset));
}

cli::Msg chipPacketCutShort(const std::string& argument, std::uint64_t offset) {
    return pathMessage(argument, "': " + packetAt(offset) + " is cut short");
}

cli::Msg chipPacketTooShort(const std::string& argument, std::uint64_t offset) {
    return pathMessage(argument, "': " + packetAt(offset) + " is too short for its data");
}

cli::Msg noSuchChip(const std::string& argument) {
    return pathMessage(argument, "': no such chip in the cartridge image");
}

}  // namespace nuk::cartridge
