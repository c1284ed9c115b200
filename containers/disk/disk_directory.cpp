// Reading the header, the free block count and the entries of a disk
// image's directory.

#include "containers/disk/disk_directory.hpp"

#include <algorithm>
#include <cerrno>
#include <utility>

#include "containers/disk/disk_faults.hpp"
#include "containers/disk/disk_file_source.hpp"
#include "containers/stored_numbers.hpp"

namespace nuk::disk {

namespace {

constexpr std::size_t entriesPerSector = 8;
constexpr std::size_t entrySize = 32;

// Where a kind keeps its header, its name and id, and its directory.
struct DirectoryPlaces {
    Location header;
    std::size_t nameOffset;  // 16 bytes of disk name, then 2 padding bytes, then id and DOS type
    Location firstEntries;
};

DirectoryPlaces placesOf(Kind kind) {
    switch (kind) {
    case Kind::d81: return {{40, 0}, 0x04, {40, 3}};
    case Kind::d80:
    case Kind::d82: return {{39, 0}, 0x06, {39, 1}};
    case Kind::d64:
    case Kind::d71: break;
    }
    return {{18, 0}, 0x90, {18, 1}};
}

// The BAM of a 1541 and of a 1571's first side: four bytes per track from
// byte 4, the first of them the track's free count.
unsigned freeOnFirstSide(const Sector& bam) {
    unsigned free = 0;
    for (unsigned track = 1; track <= 35; ++track) {
        if (track != 18) free += bam[4 + 4 * (track - 1)];
    }
    return free;
}

// The 1571 keeps the free counts of tracks 36-70 in the first BAM sector, one
// byte each from $DD; it counts them only for a disk formatted double-sided.
unsigned freeOnSecondSide(const Sector& bam) {
    constexpr std::uint8_t doubleSided = 0x80;
    if (!(bam[3] & doubleSided)) return 0;
    unsigned free = 0;
    for (unsigned track = 36; track <= 70; ++track) {
        if (track != 53) free += bam[0xDD + (track - 36)];
    }
    return free;
}

// The 1581's BAM: two sectors of 40 tracks each, six bytes per track from
// byte $10, the first of them the free count.
unsigned freeInBamSector(const Sector& bam, unsigned firstTrack) {
    unsigned free = 0;
    for (unsigned track = firstTrack; track < firstTrack + 40; ++track) {
        if (track != 40) free += bam[0x10 + 6 * (track - firstTrack)];
    }
    return free;
}

// Reads a sector outside the directory's chain that the listing needs,
// failing as the chain does where the drive could not read it.
std::optional<cli::Msg> readDirectorySector(DiskImage& image, const std::string& argument, Location where,
                                            Sector& into) {
    const std::uint8_t errorByte = image.errorByte(where);
    if (errorByte > 1) return sectorUnreadable(argument, Chain::directory, where, errorByte);
    if (!image.read(where, into)) return imageReadFailed(argument, errno);
    return std::nullopt;
}

// The 8050's and 8250's BAM: a sector for each 50 tracks, at 38/0, 38/3,
// 38/6 and 38/9, five bytes per track from byte 6, the first of them the
// free count. The directory track 39 does not count; the 8250's second side
// has no directory track of its own.
unsigned freeInPetBamSector(const Sector& bam, unsigned firstTrack, unsigned lastTrack) {
    unsigned free = 0;
    for (unsigned track = firstTrack; track <= lastTrack && track < firstTrack + 50; ++track) {
        if (track != 39) free += bam[6 + 5 * (track - firstTrack)];
    }
    return free;
}

// Where the BAM of each kind lies and how it counts, given the header sector.
std::optional<cli::Msg> countFreeBlocks(DiskImage& image, const std::string& argument, const Sector& header,
                                        unsigned& free) {
    Sector bam;
    switch (image.kind()) {
    case Kind::d64: free = freeOnFirstSide(header); return std::nullopt;
    case Kind::d71: free = freeOnFirstSide(header) + freeOnSecondSide(header); return std::nullopt;
    case Kind::d81:
        free = 0;
        for (unsigned part = 0; part < 2; ++part) {
            if (auto problem = readDirectorySector(image, argument, {40, 1 + part}, bam)) return problem;
            free += freeInBamSector(bam, 1 + 40 * part);
        }
        return std::nullopt;
    case Kind::d80:
    case Kind::d82: break;
    }
    const unsigned tracks = image.kind() == Kind::d82 ? 154 : 77;
    free = 0;
    for (unsigned part = 0; 50 * part < tracks; ++part) {
        if (auto problem = readDirectorySector(image, argument, {38, 3 * part}, bam)) return problem;
        free += freeInPetBamSector(bam, 1 + 50 * part, tracks);
    }
    return std::nullopt;
}

}  // namespace

std::optional<cli::Msg> readHeader(DiskImage& image, const std::string& argument, DiskHeader& header) {
    const DirectoryPlaces places = placesOf(image.kind());
    Sector sector;
    if (auto problem = readDirectorySector(image, argument, places.header, sector)) return problem;
    std::copy_n(sector.begin() + places.nameOffset, header.name.size(), header.name.begin());
    std::copy_n(sector.begin() + places.nameOffset + 18, header.idAndDosType.size(), header.idAndDosType.begin());
    return countFreeBlocks(image, argument, sector, header.freeBlocks);
}

DirectoryReader::DirectoryReader(DiskImage image, std::string argument)
    : image_(std::move(image)),
      chain_(image_, placesOf(image_.kind()).firstEntries, Chain::directory, std::move(argument)),
      slot_(entriesPerSector) {}

std::optional<DirectoryEntry> DirectoryReader::next() {
    for (;;) {
        if (slot_ == entriesPerSector && !loadNextSector()) return std::nullopt;
        const std::uint8_t* raw = sector_.data() + entrySize * slot_++;
        if (raw[2] == 0) continue;
        DirectoryEntry entry;
        entry.type = raw[2];
        entry.start = {raw[3], raw[4]};
        entry.sideSectors = {raw[21], raw[22]};
        std::copy_n(raw + 5, entry.name.size(), entry.name.begin());
        entry.blocks = littleEndian16(raw + 30);
        last_ = entry;
        return entry;
    }
}

std::unique_ptr<BlockSource> DirectoryReader::openLast() {
    return openChainedFile(image_, last_.start, chain_.argument());
}

std::string DirectoryReader::placeOfHeader() const { return placeName(placesOf(image_.kind()).header); }

std::string DirectoryReader::placeOfLastEntry() const { return placeName(chain_.lastRead()); }

bool DirectoryReader::loadNextSector() {
    if (!chain_.next(sector_)) return false;
    slot_ = 0;
    return true;
}

}  // namespace nuk::disk
