#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/byte_store.hpp"
#include "files/file.hpp"
#include "scratch.hpp"

namespace {

using scratch::body;

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
        EXPECT_FALSE(nuk::readFile(path, file)) << size;
        EXPECT_EQ(file.data, scratch::pattern(size));
        EXPECT_EQ(file.directory, dir.path() + "/");
        EXPECT_EQ(file.name, "sub.prg");
    }
}

TEST(ReadFile, NamedPipeIsReadToItsEnd) {
    scratch::Directory dir;
    const std::string path = dir / "pipe.fifo";
    ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
    const auto bytes = scratch::pattern(2 * nuk::chunkSize + 17);
    std::thread writer([&] {
        const int descriptor = ::open(path.c_str(), O_WRONLY);
        writeInBackground(descriptor, bytes).join();
    });
    nuk::file_t file;
    const auto message = nuk::readFile(path, file);
    writer.join();
    EXPECT_EQ(body(message), "(no message)");
    EXPECT_EQ(file.data, bytes);
    EXPECT_EQ(file.name, "pipe.fifo");
    EXPECT_EQ(file.data.capacity(), file.data.size());
}

TEST(ReadFile, FileTooLargeForMemoryIsFatalNotACrash) {
    std::ifstream overcommit("/proc/sys/vm/overcommit_memory");
    int mode = 0;
    if (overcommit >> mode && mode == 1) GTEST_SKIP() << "the kernel would grant the memory and then run out";
    scratch::Directory dir;
    const std::string path = dir / "huge.bin";
    const int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT, 0600);
    const bool sparse = ::ftruncate(descriptor, off_t{1} << 40) == 0;  // 1 TiB, no blocks used
    ::close(descriptor);
    if (!sparse) GTEST_SKIP() << "this file system holds no 1 TiB sparse file";

    nuk::file_t file;
    const auto message = nuk::readFile(path, file);
    ASSERT_TRUE(message);
    EXPECT_EQ(message->severity, nuk::cli::severityFatal);
    EXPECT_EQ(body(message), "'" + path + "': file too large to read into memory");
    EXPECT_TRUE(file.data.empty());
}

TEST(ByteStore, SizesBeyondWhatThisBuildAddressesDoNotFit) {
    EXPECT_TRUE(nuk::fitsInMemory(0));
    EXPECT_TRUE(nuk::fitsInMemory(nuk::Bytes().max_size()));
    EXPECT_FALSE(nuk::fitsInMemory(std::uint64_t{nuk::Bytes().max_size()} + 1));
    EXPECT_FALSE(nuk::fitsInMemory(UINT64_MAX));
    if (sizeof(std::size_t) == 4) {
        EXPECT_FALSE(nuk::fitsInMemory(std::uint64_t{3} << 30));
    }
}

TEST(ReadStdin, ReadsAPipeLongerThanOneChunkWhole) {
    for (std::size_t size : {std::size_t{0}, nuk::chunkSize, std::size_t{3'000'000}}) {
        int ends[2];
        ASSERT_EQ(::pipe(ends), 0);
        std::thread writer = writeInBackground(ends[1], scratch::pattern(size));
        nuk::file_t file;
        std::optional<nuk::cli::Msg> message;
        {
            scratch::StdinReplaced input(ends[0]);
            message = nuk::readStdin(file);
        }
        writer.join();
        ::close(ends[0]);
        EXPECT_EQ(body(message), "(no message)") << size;
        EXPECT_EQ(file.data, scratch::pattern(size)) << size;
        EXPECT_EQ(file.data.capacity(), file.data.size()) << size;
        EXPECT_EQ(file.directory, "");
        EXPECT_EQ(file.name, "[data_from_stdin]");
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
            message = nuk::readStdin(file);
        }
        ASSERT_TRUE(message);
        EXPECT_EQ(message->severity, nuk::cli::severityFatal);
        EXPECT_EQ(body(message), std::string("could not read standard input: ") + std::strerror(c.error));
        EXPECT_TRUE(file.data.empty());
    }
    ::close(directory);
}

}  // namespace
