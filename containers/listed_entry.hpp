#pragma once
// What a container's listing shows, in the form the drives give a disk's
// directory: a header line, one line per entry, the free blocks. Every
// container hands its entries to the listing as these.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "cli/message.hpp"
#include "containers/disk_name_pattern.hpp"
#include "files/block_source.hpp"

namespace nuk::disk {

// The file types of a type byte's bits 0-3, and its closed bit.
namespace fileType {
constexpr std::uint8_t del = 0, seq = 1, prg = 2, usr = 3, rel = 4, cbm = 5;
}  // namespace fileType
constexpr std::uint8_t closedFile = 0x80;
constexpr std::uint8_t lockedFile = 0x40;
constexpr std::uint8_t closedPrg = closedFile | fileType::prg;
constexpr std::uint8_t closedSeq = closedFile | fileType::seq;

// The file type a type letter names, as Lynx archives and PC64 file names
// write it: D, S, P, U or R, in either case; nothing for any other byte.
std::optional<std::uint8_t> fileTypeOfLetter(std::uint8_t letter);

struct ListedEntry {
    // Bits 0-3 the file type (0 DEL, 1 SEQ, 2 PRG, 3 USR, 4 REL, 5 CBM),
    // bit 6 locked, bit 7 closed. A type byte of 0 marks a free or
    // scratched slot, which is never handed out.
    std::uint8_t type = 0;
    DiskName name{};
    std::uint16_t blocks = 0;  // as the entry states it

    std::uint8_t fileType() const { return type & 0x0F; }
    bool closed() const { return (type & closedFile) != 0; }
    bool locked() const { return (type & lockedFile) != 0; }
};

struct DiskHeader {
    DiskName name{};
    std::array<std::uint8_t, 5> idAndDosType{};  // the id, a padding byte and the DOS type, e.g. "00",$A0,"2A"
    unsigned freeBlocks = 0;
};

// The data bytes of a disk block, its link bytes left out: what a listing
// counts a file's length in, whatever holds the file.
constexpr std::uint64_t blockDataBytes = 254;

// The number of blocks a file of this many bytes takes on a disk, as the
// listing shows it (at most what a line number holds).
std::uint16_t blocksFor(std::uint64_t bytes);

// A name as an archive or a tape stores it, as the listing and the
// matching take it: padded with $A0 after its last character. They pad with
// spaces, $A0 or zero bytes; `length` bytes at most 16 are taken.
DiskName paddedName(const std::uint8_t* bytes, std::size_t length);

// The header of a listing that shows this name and no id.
DiskHeader headerNamed(const DiskName& name);

// The entries of a container in listing order, each of which can be opened
// when the walk has reached it.
class EntryReader {
public:
    virtual ~EntryReader() = default;

    // The next entry the listing shows; nothing at the end or after a failure.
    virtual std::optional<ListedEntry> nextListed() = 0;
    // The entry handed out last, as an input of its own: only after the
    // walk has handed one out.
    virtual std::unique_ptr<BlockSource> openLast() = 0;
    virtual const std::optional<cli::Msg>& failure() const = 0;
    // Whether the walk ended by coming back to an entry it had read: every
    // entry has been listed once by then, so the listing closes as at its end.
    virtual bool looped() const { return false; }
    // Where the header and the entry handed out last lie in the container,
    // for a container that has such places (a disk: "@18/1"); empty else.
    virtual std::string placeOfHeader() const { return {}; }
    virtual std::string placeOfLastEntry() const { return {}; }
};

}  // namespace nuk::disk
