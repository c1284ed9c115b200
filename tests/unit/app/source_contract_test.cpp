// What every kind of source must give the dump: whatever it delivers before
// it ends or fails (nothing, fewer bytes than a load address or a skip
// needs, part of a block), the dump shows those bytes and no others, exactly
// as it shows the same bytes arriving through a pipe.

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "dump/dump.hpp"
#include "files/block_source.hpp"
#include "files/descriptor_source.hpp"
#include "containers/disk/disk_sectors.hpp"
#include "containers/directory_listing.hpp"
#include "containers/disk/disk_directory.hpp"
#include "containers/disk/disk_file_source.hpp"
#include "containers/file_piece_source.hpp"
#include "containers/image_file.hpp"
#include "tests/unit/piece_source.hpp"

namespace {

using Bytes = std::vector<std::uint8_t>;
using Source = std::unique_ptr<nuk::BlockSource>;

// ---- the dump, as the command line asks for it ----------------------------

struct Request {
    bool load;
    std::optional<std::uint64_t> seek, len;
    bool seekFromEnd = false;
};

struct Dumped {
    std::string out;
    bool failed;
};

Dumped dumpOf(nuk::BlockSource& source, const Request& r) {
    DumpSettings settings;
    settings.load = r.load;
    settings.seek = r.seek.value_or(0);
    settings.seekFromEnd = r.seekFromEnd;
    settings.length = r.len;
    std::ostringstream out;
    const bool failed = dumpFile(source, {}, settings, out).has_value();
    return {out.str(), failed};
}

// ---- the sources -----------------------------------------------------------

Bytes pattern(std::size_t n) {
    Bytes bytes(n);
    for (std::size_t i = 0; i < n; ++i) bytes[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return bytes;
}

class MemoryImage final : public nuk::disk::ImageFile {
public:
    explicit MemoryImage(Bytes bytes) : bytes_(std::move(bytes)) {}
    std::uint64_t size() const override { return bytes_.size(); }
    bool readAt(std::uint64_t offset, std::uint8_t* into, std::size_t n) override {
        if (offset + n > bytes_.size()) return false;
        std::copy_n(bytes_.begin() + static_cast<std::ptrdiff_t>(offset), n, into);
        return true;
    }

private:
    const Bytes bytes_;
};

// A D81 image (40 sectors on every track, so sector i of the chain sits at
// i * 256) holding the bytes in a chain from track 1 sector 0. A failing
// chain links its last full sector out of the image (track 81).
constexpr nuk::disk::Layout d81{nuk::disk::Kind::d81, 80, false};
constexpr std::size_t perSector = 254;

nuk::disk::Location sectorNumber(std::size_t i) {
    return {static_cast<unsigned>(1 + i / 40), static_cast<unsigned>(i % 40)};
}

Bytes imageWithChain(const Bytes& data, bool fails, std::size_t& sectors) {
    Bytes image(819200, 0);
    sectors = fails ? data.size() / perSector : data.size() / perSector + 1;
    for (std::size_t i = 0; i < sectors; ++i) {
        std::uint8_t* sector = image.data() + i * 256;
        const std::size_t from = i * perSector, n = std::min(perSector, data.size() - from);
        std::copy_n(data.begin() + static_cast<std::ptrdiff_t>(from), n, sector + 2);
        const nuk::disk::Location next = i + 1 < sectors ? sectorNumber(i + 1) : nuk::disk::Location{fails ? 81u : 0u, 0};
        sector[0] = static_cast<std::uint8_t>(next.track);
        sector[1] = static_cast<std::uint8_t>(next.track == 0 ? 1 + n : next.sector);  // 1: no bytes
    }
    return image;
}

Source diskFile(const Bytes& data, bool fails) {
    std::size_t sectors = 0;
    const Bytes image = imageWithChain(data, fails, sectors);
    const nuk::disk::Location first = sectors == 0 ? nuk::disk::Location{81, 0} : sectorNumber(0);
    return nuk::disk::openChainedFile(nuk::disk::DiskImage(d81, std::make_unique<MemoryImage>(image)), first, "t.d81:F");
}

// The directory of an empty D81 (40/3 ends the chain), one whose first
// directory sector links out of the image, and one that links to itself.
Source listing(std::uint8_t linkTrack, std::uint8_t linkSector) {
    Bytes image(819200, 0);
    const std::size_t at = (39 * 40 + 3) * 256;
    image[at] = linkTrack, image[at + 1] = linkSector;
    auto entries = std::make_unique<nuk::disk::DirectoryReader>(
        nuk::disk::DiskImage(d81, std::make_unique<MemoryImage>(image)), "t.d81:$");
    return nuk::disk::openDirectoryListing(nuk::disk::DiskHeader{}, std::move(entries), std::nullopt);
}

// A regular file read by its descriptor, whole or as a stream; failing: it
// holds fewer bytes than it said it had when it was opened.
struct TemporaryFile {
    explicit TemporaryFile(const Bytes& data) : path(std::filesystem::temp_directory_path() / "source_contract.bin") {
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(data.data()),
                                                     static_cast<std::streamsize>(data.size()));
    }
    ~TemporaryFile() { std::filesystem::remove(path); }
    std::filesystem::path path;
};

nuk::cli::Msg failed(int) { return nuk::cli::Msg{nuk::cli::severityFatal, 0, "read failed", {}}; }

Source sizedFile(const std::string& path, std::uint64_t size) {
    Source source;
    nuk::openSizedFile(nuk::openForReading(path), size, failed, failed(0), source);
    return source;
}

Source streamOnFile(const std::string& path) {
    Source source;
    nuk::openStream(nuk::openForReading(path), nuk::Ownership::owned, failed, nuk::ReadAhead::nothing, source);
    return source;
}

// A piece of a container's file (an archive's entry), its load address kept
// apart: the data lie at offset 100; a failing piece runs 10 bytes past the
// end of the file.
Source filePiece(const Bytes& data, bool fails) {
    Bytes file(100, 0xEE);
    file.insert(file.end(), data.begin() + 2, data.end());
    const nuk::FilePiece piece{static_cast<std::uint16_t>(data[0] | data[1] << 8), 100, data.size() - 2 + (fails ? 10 : 0)};
    return nuk::openFilePiece(std::make_shared<MemoryImage>(file), piece, "t.t64:F",
                              [](std::uint64_t, std::uint64_t) { return failed(0); });
}

// ---- the contract ----------------------------------------------------------

const Request requests[] = {
    {false, {}, {}},   {true, {}, {}},      {false, 1, {}},     {false, 2, {}},    {false, 3, {}},
    {false, {}, 1},    {false, {}, 16},     {true, {}, 16},     {true, 1, {}},     {true, 2, 3},
    {false, 1, 2},     {false, 65540, 10},  {true, 69990, {}},  {false, {}, 0},
    // -s -N: from the end
    {false, 1, {}, true}, {false, 300, {}, true}, {true, 3, {}, true}, {false, 69000, 16, true}, {true, 80000, {}, true},
};

// Reads what the source delivers to its end, as plain reads would.
Bytes delivered(nuk::BlockSource& source) {
    Bytes all, block(4096);
    while (const std::size_t got = source.read(block.data(), block.size())) all.insert(all.end(), block.begin(), block.begin() + got);
    return all;
}

// The source (made afresh for each dump) dumps as its bytes through a pipe,
// with the failure, if any, after the last of them.
void expectDumpsAsThroughAPipe(const std::function<Source()>& make, const Bytes& expected, bool fails,
                               const std::string& what) {
    const Source first = make();
    ASSERT_EQ(delivered(*first), expected) << what;
    ASSERT_EQ(first->failure().has_value(), fails) << what;
    for (const Request& r : requests) {
        test::PieceSource pipe(expected, {7, 4096}, false, fails ? expected.size() : test::PieceSource::noFailure);
        const Dumped reference = dumpOf(pipe, r);
        const Source source = make();
        const Dumped dumped = dumpOf(*source, r);
        const std::string request = " (-L " + std::to_string(r.load) + " -s " +
                                    (r.seek ? std::to_string(*r.seek) : "-") + " -l " +
                                    (r.len ? std::to_string(*r.len) : "-") + ")";
        EXPECT_EQ(dumped.out, reference.out) << what << request;
        // With nothing to show nothing is read; a source that knows its
        // fault before reading (a file starting outside the image) says so.
        if (r.len != 0u) {
            EXPECT_EQ(dumped.failed, reference.failed) << what << request;
        }
    }
}

// Ends or failures after 0, 1, 2 bytes, inside a sector, after a sector and
// in the middle of a 64 KiB block.
const std::size_t lengths[] = {0, 1, 2, 3, 253, 254, 255, 508, 70000};

// A source of known size is held to that size: one that delivers less (a
// file that shrank after it was opened) shows the positions it did not
// deliver as missing, by the dump's own rules, so it is no pipe's equal.
TEST(SourceContract, ThePieceWiseSourceOfTheTests) {
    for (const std::size_t n : lengths) {
        const Bytes data = pattern(n);
        for (const bool fails : {false, true}) {
            expectDumpsAsThroughAPipe(
                [&] { return std::make_unique<test::PieceSource>(data, std::vector<std::size_t>{1, 3, 65536}, false,
                                                                 fails ? n : test::PieceSource::noFailure); },
                data, fails, "pieces of " + std::to_string(n) + (fails ? " failing" : ""));
        }
        expectDumpsAsThroughAPipe(
            [&] { return std::make_unique<test::PieceSource>(data, std::vector<std::size_t>{1, 3, 65536}, true); }, data,
            false, "pieces of " + std::to_string(n) + " sized");
    }
}

TEST(SourceContract, ARegularFileWholeOrAsAStream) {
    for (const std::size_t n : lengths) {
        const Bytes data = pattern(n);
        const TemporaryFile file(data);
        const std::string path = file.path.string();
        const std::string what = std::to_string(n) + " bytes";
        expectDumpsAsThroughAPipe([&] { return sizedFile(path, n); }, data, false, "file of " + what);
        expectDumpsAsThroughAPipe([&] { return streamOnFile(path); }, data, false, "stream on a file of " + what);
    }
}

// A disk file ends with any number of bytes in its last sector, none
// included; it fails only where a sector link breaks.
TEST(SourceContract, AFileInADiskImage) {
    for (const std::size_t n : lengths) {
        const Bytes data = pattern(n);
        expectDumpsAsThroughAPipe([&] { return diskFile(data, false); }, data, false, "disk file of " + std::to_string(n));
        if (n % perSector == 0)
            expectDumpsAsThroughAPipe([&] { return diskFile(data, true); }, data, true,
                                      "disk file failing after " + std::to_string(n));
    }
}

// A piece that lies in its file knows its size and the bytes left; one that
// runs past the end fails after the bytes there.
TEST(SourceContract, APieceOfAContainersFile) {
    for (const std::size_t n : lengths) {
        if (n < 2) continue;  // the load address comes first
        const Bytes data = pattern(n);
        for (const bool fails : {false, true}) {
            expectDumpsAsThroughAPipe([&] { return filePiece(data, fails); }, data, fails,
                                      "file piece of " + std::to_string(n) + (fails ? " failing" : ""));
        }
    }
}

TEST(SourceContract, TheDirectoryListingOfADiskImage) {
    const Source whole = listing(0, 0xFF);
    const Bytes complete = delivered(*whole);
    ASSERT_EQ(complete.size(), 64u);  // load address, header line, closing line, end of program
    const Bytes headerOnly(complete.begin(), complete.begin() + 32);
    expectDumpsAsThroughAPipe([] { return listing(0, 0xFF); }, complete, false, "listing");
    expectDumpsAsThroughAPipe([] { return listing(81, 0); }, headerOnly, true, "listing whose chain leaves the image");
    expectDumpsAsThroughAPipe([] { return listing(40, 3); }, complete, true, "listing whose chain loops");
}

// A run of sectors, whose size is known, and a file's own sectors along its
// chain (failing where a link leaves the image) give the sectors whole.
TEST(SourceContract, SectorsOfADiskImage) {
    const Bytes image = pattern(819200);
    for (const std::size_t count : {1, 2, 280}) {
        const Bytes run(image.begin(), image.begin() + static_cast<std::ptrdiff_t>(256 * count));
        expectDumpsAsThroughAPipe(
            [&] {
                return nuk::disk::openSectorRun(nuk::disk::DiskImage(d81, std::make_unique<MemoryImage>(image)),
                                                sectorNumber(0), sectorNumber(count - 1), "t.d81:@1/0-");
            },
            run, false, "run of " + std::to_string(count) + " sectors");
    }
    for (const std::size_t n : {std::size_t{0}, std::size_t{508}, std::size_t{70000}}) {
        for (const bool fails : {false, true}) {
            std::size_t sectors = 0;
            const Bytes chained = imageWithChain(pattern(n), fails, sectors);
            const Bytes whole(chained.begin(), chained.begin() + static_cast<std::ptrdiff_t>(256 * sectors));
            expectDumpsAsThroughAPipe(
                [&] {
                    return nuk::disk::openChainSectors(
                        nuk::disk::DiskImage(d81, std::make_unique<MemoryImage>(chained)),
                        {sectors == 0 ? nuk::disk::Location{81, 0} : sectorNumber(0)}, "t.d81:F@");
                },
                whole, fails, "sectors of a file of " + std::to_string(n) + (fails ? " failing" : ""));
        }
    }
}

}  // namespace
