#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include "files/file.hpp"
#include "scratch.hpp"

namespace {

using scratch::body;

// Which handler nuk::glob chose, and the message it returned.
struct Dispatch {
    std::string handler = "none";
    std::string path;
    std::string message;
};

Dispatch dispatch(const std::string& argument) {
    Dispatch seen;
    const nuk::PathHandler onFile = [&](const std::string& path) -> std::optional<nuk::cli::Msg> {
        seen.handler = "file";
        seen.path = path;
        return std::nullopt;
    };
    const nuk::DirectoryHandler onDirectory = [&](const std::string& path, nuk::PathHandler) {
        seen.handler = "directory";
        seen.path = path;
        return std::optional<nuk::cli::Msg>();
    };
    const nuk::MatchMessageHandler onMatchMessage = [&](const nuk::cli::Msg&) { seen.handler += " and a match message"; };
    const auto message = nuk::glob(argument, onFile, onDirectory, onMatchMessage);
    seen.message = message ? body(message) : "";
    return seen;
}

TEST(Glob, SendsEachKindOfPathToItsHandlerOrReportsIt) {
    scratch::Directory dir;
    const std::string file = dir.write("a.prg", {1, 8});
    const std::string fifo = dir / "pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    ASSERT_EQ(::symlink("a.prg", (dir / "link").c_str()), 0);
    ASSERT_EQ(::symlink("nowhere", (dir / "dangling").c_str()), 0);
    const std::string missing = dir / "nope";
    const std::string throughFile = file + "/x";

    struct Case {
        std::string argument;
        const char* handler;
        std::string message;
    };
    const Case cases[] = {
        {file, "file", ""},
        {dir / "link", "file", ""},
        {fifo, "file", ""},  // read to its end by the file handler
        {dir.path(), "directory", ""},
        {missing, "none", "'" + missing + "': no such file or directory"},
        {dir / "dangling", "none", "'" + dir / "dangling" + "': no such file or directory"},
        {throughFile, "none", "'" + throughFile + "': no such file or directory"},
        {"/dev/null", "none", "'/dev/null': not a regular file"},
    };
    for (const auto& c : cases) {
        const Dispatch seen = dispatch(c.argument);
        EXPECT_EQ(seen.handler, c.handler) << c.argument;
        EXPECT_EQ(seen.message, c.message) << c.argument;
        if (seen.handler != std::string("none")) {
            EXPECT_EQ(seen.path, c.argument);
        }
    }
}

TEST(Glob, SocketIsNotARegularFile) {
    scratch::Directory dir;
    const std::string path = dir / "sock";
    const int descriptor = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) GTEST_SKIP() << "scratch path too long for a socket";
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(descriptor, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(dispatch(path).message, "'" + path + "': not a regular file");
    ::close(descriptor);
}

TEST(ProcessFile, HandsTheContentToTheHandlerOnlyWhenItWasRead) {
    scratch::Directory dir;
    const std::string file = dir.write("a.prg", {1, 8, 0x60});
    int calls = 0;
    std::vector<std::uint8_t> seen;
    const nuk::FileHandler handler = [&](nuk::file_t& input) -> std::optional<nuk::cli::Msg> {
        ++calls;
        seen = scratch::readAll(*input.source);
        return nuk::cli::Msg{nuk::cli::severityError, 0, "from handler", {}};
    };
    EXPECT_EQ(body(nuk::processFile(file, handler)), "from handler");
    EXPECT_EQ(seen, (std::vector<std::uint8_t>{1, 8, 0x60}));
    EXPECT_EQ(body(nuk::processFile(dir.path(), handler)), "'" + dir.path() + "': is a directory");
    EXPECT_EQ(body(nuk::processFile(dir / "nope", handler)), "'" + dir / "nope" + "': no such file or directory");
    EXPECT_EQ(calls, 1);
}

}  // namespace
