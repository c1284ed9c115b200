// Reading a cartridge image's header and walking its CHIP packets.

#include "containers/cartridge/cartridge_chips.hpp"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

#include "containers/cartridge/cartridge_faults.hpp"
#include "containers/file_piece_source.hpp"
#include "containers/stored_numbers.hpp"

namespace nuk::cartridge {

namespace {

constexpr std::uint64_t headerFields = 0x40;
constexpr std::size_t packetHead = 16;

constexpr const char* signatures[] = {"C64 CARTRIDGE   ", "C128 CARTRIDGE  ", "VIC20 CARTRIDGE ",
                                      "PLUS4 CARTRIDGE ", "CBM2 CARTRIDGE  "};

bool hasSignature(const std::uint8_t* header) {
    return std::any_of(std::begin(signatures), std::end(signatures),
                       [header](const char* signature) { return std::memcmp(header, signature, 16) == 0; });
}

// The names are ASCII: its small letters are shown as the machine's
// letters ($41-$5A), which is how the name reads on the machine.
std::uint8_t shownOnMachine(std::uint8_t byte) {
    return byte >= 'a' && byte <= 'z' ? static_cast<std::uint8_t>(byte - 'a' + 'A') : byte;
}

void writeAscii(disk::DiskName& name, std::size_t at, const std::string& text) {
    std::copy_n(text.begin(), std::min(text.size(), name.size() - at), name.begin() + static_cast<std::ptrdiff_t>(at));
}

std::string fourHexDigits(std::uint16_t value) {
    static const char digits[] = "0123456789ABCDEF";
    std::string text(4, '0');
    for (int i = 3; i >= 0; --i, value = static_cast<std::uint16_t>(value >> 4)) text[i] = digits[value & 15];
    return text;
}

}  // namespace

std::optional<CartridgeHeader> readCartridgeHeader(disk::ImageFile& file) {
    std::uint8_t bytes[headerFields];
    if (file.size() < headerFields || !file.readAt(0, bytes, sizeof bytes) || !hasSignature(bytes)) return std::nullopt;
    CartridgeHeader header;
    header.firstPacket = std::max(bigEndian(bytes + 0x10, 4), headerFields);
    header.hardwareType = bigEndian16(bytes + 0x16);
    std::copy_n(bytes + 0x20, header.name.size(), header.name.begin());
    return header;
}

disk::DiskHeader listingHeader(const CartridgeHeader& header) {
    disk::DiskHeader listed;
    listed.name.fill(disk::namePadding);
    for (std::size_t i = 0; i < listed.name.size() && header.name[i] != 0; ++i)
        listed.name[i] = shownOnMachine(header.name[i]);
    // Right-aligned: a 16-bit number has five digits at most.
    listed.idAndDosType.fill(' ');
    unsigned type = header.hardwareType;
    for (auto digit = listed.idAndDosType.rbegin(); digit != listed.idAndDosType.rend(); ++digit, type /= 10) {
        *digit = static_cast<std::uint8_t>('0' + type % 10);
        if (type < 10) break;
    }
    listed.freeBlocks = 0;  // nothing can be saved to a cartridge
    return listed;
}

disk::ListedEntry listedChip(const Chip& chip) {
    disk::ListedEntry entry;
    entry.type = disk::closedPrg;
    entry.name.fill(disk::namePadding);
    const std::string bank = std::to_string(chip.bank);  // five digits at most: room for the rest
    writeAscii(entry.name, 0, bank);
    writeAscii(entry.name, bank.size() + 1, " " + fourHexDigits(chip.loadAddress) + " " + fourHexDigits(chip.dataSize));
    entry.blocks = disk::blocksFor(2 + std::uint64_t{chip.dataSize});
    return entry;
}

ChipReader::ChipReader(std::shared_ptr<disk::ImageFile> file, std::uint64_t firstPacket, std::string argument)
    : file_(std::move(file)), argument_(std::move(argument)), position_(firstPacket) {}

// Past the end of the file the packet before was cut short (or, before the
// first packet, the header's length points beyond the file).
std::optional<cli::Msg> ChipReader::checkPosition() const {
    const std::uint64_t size = file_->size();
    if (position_ > size) return previous_ ? chipPacketCutShort(argument_, *previous_) : noChipPacketAt(argument_, position_);
    if (size - position_ < packetHead) return chipPacketCutShort(argument_, position_);
    return std::nullopt;
}

// Real images may carry a few stray bytes after their last packet: the
// chips end where no "CHIP" follows one. Before the first packet the
// header points to it, and its absence is a fault.
bool ChipReader::chipsEndHere() const {
    if (!previous_ || position_ > file_->size()) return false;
    std::uint8_t mark[4];
    if (file_->size() - position_ < sizeof mark) return true;
    if (!file_->readAt(position_, mark, sizeof mark)) return false;  // reading the head says why
    return std::memcmp(mark, "CHIP", sizeof mark) != 0;
}

// Each packet is at least its head long, so the walk always moves on and
// ends within the file's size.
std::optional<Chip> ChipReader::next() {
    if (ended_) return std::nullopt;
    ended_ = true;
    if (position_ == file_->size() || chipsEndHere()) return std::nullopt;
    if ((failure_ = checkPosition())) return std::nullopt;
    std::uint8_t head[packetHead];
    if (!file_->readAt(position_, head, sizeof head)) {
        failure_ = disk::imageReadFailed(argument_, errno);
        return std::nullopt;
    }
    if (std::memcmp(head, "CHIP", 4) != 0) {
        failure_ = noChipPacketAt(argument_, position_);
        return std::nullopt;
    }
    Chip chip;
    chip.packet = position_;
    chip.bank = bigEndian16(head + 0x0A);
    chip.loadAddress = bigEndian16(head + 0x0C);
    chip.dataSize = bigEndian16(head + 0x0E);
    const std::uint64_t length = bigEndian(head + 0x04, 4);
    if (length < packetHead + chip.dataSize) {
        failure_ = chipPacketTooShort(argument_, position_);
        return std::nullopt;
    }
    previous_ = position_;
    position_ += length;
    ended_ = false;
    last_ = chip;
    return chip;
}

std::optional<disk::ListedEntry> ChipReader::nextListed() {
    const std::optional<Chip> chip = next();
    if (!chip) return std::nullopt;
    return listedChip(*chip);
}

std::unique_ptr<BlockSource> ChipReader::openLast() {
    const FilePiece piece{last_.loadAddress, last_.dataOffset(), last_.dataSize};
    return openFilePiece(file_, piece, argument_, [argument = argument_, packet = last_.packet](auto, auto) {
        return chipPacketCutShort(argument, packet);
    });
}

}  // namespace nuk::cartridge
