#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/file.hpp"
#include "scratch.hpp"

namespace {

using scratch::body;
using scratch::readAll;

// Writes the bytes into the descriptor from another thread, then closes it,
// so the reader sees them in whatever pieces the pipe delivers.
std::thread writeInBackground(int descriptor, std::vector<std::uint8_t> bytes) {
    return std::thread([descriptor, bytes = std::move(bytes)] {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const ssize_t n = ::write(descriptor, bytes.data() + done, bytes.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        ::close(descriptor);
    });
}

TEST(ReadFile, ReadsEveryByteAndSplitsThePath) {
    scratch::Directory dir;
    for (std::size_t size : {std::size_t{0}, std::size_t{1}, std::size_t{3'000'000}}) {
        const std::string path = dir.write("sub.prg", scratch::pattern(size));
        nuk::file_t file;
        EXPECT_FALSE(nuk::openFile(path, file)) << size;
        // An empty file promises nothing by its size and is read as a stream.
        EXPECT_EQ(file.source->size(), size == 0 ? std::nullopt : std::optional<std::uint64_t>(size));
        EXPECT_EQ(readAll(*file.source), scratch::pattern(size));
        EXPECT_EQ(file.directory, dir.path() + "/");
        EXPECT_EQ(file.name, "sub.prg");
    }
}

TEST(ReadFile, NamedPipeIsReadToItsEnd) {
    scratch::Directory dir;
    const std::string path = dir / "pipe.fifo";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const auto bytes = scratch::pattern(2 * nuk::blockSize + 17);
    std::thread writer([&] {
        const int descriptor = ::open(path.c_str(), O_WRONLY);
        writeInBackground(descriptor, bytes).join();
    });
    nuk::file_t file;
    const auto message = nuk::openFile(path, file);
    EXPECT_EQ(body(message), "(no message)");
    EXPECT_FALSE(file.source->size());
    EXPECT_EQ(readAll(*file.source), bytes);
    writer.join();
    EXPECT_EQ(file.name, "pipe.fifo");
}

// Only the bytes asked for are read, wherever they lie: a file far larger
// than memory (or than a 32-bit build addresses) is no obstacle.
TEST(ReadFile, FileLargerThanMemoryIsReadWhereAsked) {
    scratch::Directory dir;
    const std::string path = dir / "huge.bin";
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    const off_t size = off_t{1} << 40;  // 1 TiB, no blocks used
    const bool sparse = ::ftruncate(descriptor, size - 1) == 0 && ::pwrite(descriptor, "Z", 1, size - 1) == 1;
    ::close(descriptor);
    if (!sparse) GTEST_SKIP() << "this file system holds no 1 TiB sparse file";

    nuk::file_t file;
    ASSERT_EQ(body(nuk::openFile(path, file)), "(no message)");
    EXPECT_EQ(file.source->size(), std::uint64_t{1} << 40);
    EXPECT_EQ(file.source->skip((std::uint64_t{1} << 40) - 3), (std::uint64_t{1} << 40) - 3);
    EXPECT_EQ(readAll(*file.source), (std::vector<std::uint8_t>{0, 0, 'Z'}));
    EXPECT_FALSE(file.source->failure());
}

// The size is taken when the file is opened: a file that shrinks before it
// is read ends early, which is reported, after the bytes that were there.
TEST(ReadFile, FileThatShrinksAfterOpeningIsReported) {
    scratch::Directory dir;
    const std::string path = dir.write("shrinks.bin", scratch::pattern(100));
    nuk::file_t file;
    ASSERT_FALSE(nuk::openFile(path, file));
    ASSERT_EQ(::truncate(path.c_str(), 40), 0);
    EXPECT_EQ(readAll(*file.source, 16), scratch::pattern(40));
    EXPECT_EQ(body(file.source->failure()), "'" + path + "': unexpected size of data read");
}

// What the kernel makes up as it is read: procfs says 0 bytes, sysfs a
// page. Both are read to their end, with no message.
TEST(ReadFile, FilesOfPseudoFileSystemsAreReadAsStreams) {
    for (const std::string path : {"/proc/version", "/sys/devices/system/cpu/online"}) {
        std::ifstream reference(path, std::ios::binary);
        if (!reference) continue;  // no sysfs here
        const std::vector<std::uint8_t> content{std::istreambuf_iterator<char>(reference), {}};
        nuk::file_t file;
        ASSERT_EQ(body(nuk::openFile(path, file)), "(no message)") << path;
        EXPECT_FALSE(file.source->size()) << path;
        EXPECT_EQ(readAll(*file.source), content) << path;
        EXPECT_EQ(body(file.source->failure()), "(no message)") << path;
    }
}

TEST(ReadStdin, ReadsAPipeLongerThanOneChunkWhole) {
    for (std::size_t size : {std::size_t{0}, nuk::blockSize, std::size_t{3'000'000}}) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        std::thread writer = writeInBackground(ends[1], scratch::pattern(size));
        nuk::file_t file;
        std::optional<nuk::cli::Msg> message;
        std::vector<std::uint8_t> bytes;
        {
            scratch::StdinReplaced input(ends[0]);
            message = nuk::openStdin(file, nuk::ReadAhead::firstByte);
            bytes = readAll(*file.source, 1000);
        }
        writer.join();
        ::close(ends[0]);
        EXPECT_EQ(body(message), "(no message)") << size;
        EXPECT_EQ(bytes, scratch::pattern(size)) << size;
        EXPECT_FALSE(file.source->failure());
        EXPECT_EQ(file.directory, "");
        EXPECT_EQ(file.name, "[data_from_stdin]");
    }
}

// Standard input redirected from a regular file, already `offset` bytes
// in: skipped bytes are seeked over (1 TiB in no time), and the descriptor's
// offset ends where reading stopped, for whatever reads it next.
TEST(ReadStdin, RegularFileIsSeekedOverAndLeftWhereReadingStopped) {
    scratch::Directory dir;
    const std::string path = dir / "huge.bin";
    const int writer = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    const off_t size = off_t{1} << 40;
    const bool sparse = ::ftruncate(writer, size - 1) == 0 && ::pwrite(writer, "Z", 1, size - 1) == 1 &&
                        ::pwrite(writer, "0123456789", 10, 100) == 10;
    ::close(writer);
    if (!sparse) GTEST_SKIP() << "this file system holds no 1 TiB sparse file";
    struct Case {
        off_t offset;
        nuk::ReadAhead readAhead;
        std::uint64_t skip;
        std::size_t read;
        std::vector<std::uint8_t> bytes;
    };
    const Case cases[] = {
        {95, nuk::ReadAhead::firstByte, 8, 3, {'3', '4', '5'}},
        {0, nuk::ReadAhead::nothing, 103, 2, {'3', '4'}},
        {2, nuk::ReadAhead::firstByte, std::uint64_t{1} << 40, 1, {}},
        {0, nuk::ReadAhead::firstByte, (std::uint64_t{1} << 40) - 3, 10, {0, 0, 'Z'}},
    };
    for (const Case& c : cases) {
        const int descriptor = ::open(path.c_str(), O_RDONLY);
        ASSERT_EQ(::lseek(descriptor, c.offset, SEEK_SET), c.offset);
        nuk::file_t file;
        std::vector<std::uint8_t> bytes(c.read);
        std::uint64_t skipped;
        off_t offset;
        {
            scratch::StdinReplaced input(descriptor);
            ASSERT_FALSE(nuk::openStdin(file, c.readAhead));
            skipped = file.source->skip(c.skip);
            bytes.resize(nuk::readUpTo(*file.source, bytes.data(), bytes.size()));
            offset = ::lseek(STDIN_FILENO, 0, SEEK_CUR);
        }
        ::close(descriptor);
        EXPECT_EQ(skipped, std::min<std::uint64_t>(c.skip, size - c.offset)) << c.offset;
        EXPECT_EQ(bytes, c.bytes) << c.offset;
        EXPECT_EQ(offset, std::min<off_t>(c.offset + static_cast<off_t>(c.skip + c.read), size)) << c.offset;
        EXPECT_FALSE(file.source->failure());
    }
}

TEST(ReadStdin, ReadErrorEndsTheLoopWithAFatalMessage) {
    scratch::Directory dir;
    const int directory = ::open(dir.path().c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_GE(directory, 0);
    struct Case {
        int descriptor;  // -1: standard input closed
        int error;
    };
    for (const Case& c : {Case{directory, EISDIR}, Case{-1, EBADF}}) {
        nuk::file_t file;
        std::optional<nuk::cli::Msg> message;
        {
            scratch::StdinReplaced input(c.descriptor);
            message = nuk::openStdin(file, nuk::ReadAhead::firstByte);
        }
        ASSERT_TRUE(message);
        EXPECT_EQ(message->severity, nuk::cli::severityFatal);
        EXPECT_EQ(body(message), std::string("could not read standard input: ") + std::strerror(c.error));
        EXPECT_FALSE(file.source);
    }
    ::close(directory);
}

}  // namespace
