// The listing's block count, the type letters, and the names and header of
// archives and tapes.

#include "containers/listed_entry.hpp"

#include <algorithm>

namespace nuk::disk {

std::uint16_t blocksFor(std::uint64_t bytes) {
    return static_cast<std::uint16_t>(std::min<std::uint64_t>((bytes + blockDataBytes - 1) / blockDataBytes, 0xFFFF));
}

std::optional<std::uint8_t> fileTypeOfLetter(std::uint8_t letter) {
    switch (letter | 0x20) {
    case 'd': return fileType::del;
    case 's': return fileType::seq;
    case 'p': return fileType::prg;
    case 'u': return fileType::usr;
    case 'r': return fileType::rel;
    default: return std::nullopt;
    }
}

DiskName paddedName(const std::uint8_t* bytes, std::size_t length) {
    DiskName name;
    name.fill(namePadding);
    length = std::min(length, name.size());
    std::copy_n(bytes, length, name.begin());
    auto isPadding = [](std::uint8_t byte) { return byte == ' ' || byte == namePadding || byte == 0; };
    for (std::size_t end = length; end > 0 && isPadding(name[end - 1]); --end) name[end - 1] = namePadding;
    return name;
}

DiskHeader headerNamed(const DiskName& name) {
    DiskHeader header;
    header.name = name;
    header.idAndDosType.fill(' ');
    header.freeBlocks = 0;
    return header;
}

}  // namespace nuk::disk
