#include <gtest/gtest.h>

#include <cerrno>
#include <string>

#include <sys/stat.h>
#include <unistd.h>

#include "files/file.hpp"
#include "scratch.hpp"

namespace {

using scratch::body;

TEST(PathChecks, ReadableFileAndDirectoryPassThePathCheck) {
    scratch::Directory dir;
    const std::string file = dir.write("a.prg", {1, 8});
    EXPECT_FALSE(nuk::checkPathExistsReadable(file));
    EXPECT_FALSE(nuk::checkPathExistsReadable(dir.path()));
    EXPECT_FALSE(nuk::checkFileExistsReadable(file));
}

TEST(PathChecks, EachFailureNamesThePathAsGiven) {
    scratch::Directory dir;
    const std::string file = dir.write("a.prg", {1});
    const std::string missing = dir / "nope.prg";
    const std::string throughFile = file + "/x";  // ENOTDIR is no ENOENT
    const std::string tooLong = dir / std::string(300, 'n');

    EXPECT_EQ(body(nuk::checkPathExistsReadable(missing)), "'" + missing + "': no such file or directory");
    EXPECT_EQ(body(nuk::checkFileExistsReadable(missing)), "'" + missing + "': no such file or directory");
    EXPECT_EQ(body(nuk::checkFileExistsReadable(dir.path())), "'" + dir.path() + "': is a directory");
    EXPECT_EQ(body(nuk::checkPathExistsReadable(throughFile)),
              "'" + throughFile + "': unknown error: " + std::to_string(ENOTDIR));
    EXPECT_EQ(body(nuk::checkPathExistsReadable(tooLong)),
              "'" + tooLong + "': unknown error: " + std::to_string(ENAMETOOLONG));
}

TEST(PathChecks, FileMessagesAreWarnings) {
    const auto message = nuk::checkPathExistsReadable("/nonexistent/x");
    ASSERT_TRUE(message);
    EXPECT_EQ(message->severity, nuk::cli::severityWarning);
    EXPECT_EQ(message->code, 0);
}

TEST(PathChecks, UnreadableFileIsPermissionDenied) {
    if (::geteuid() == 0) GTEST_SKIP() << "root reads every file; a golden case covers this as nobody";
    scratch::Directory dir;
    const std::string file = dir.write("locked.prg", {1});
    ::chmod(file.c_str(), 0);
    EXPECT_EQ(body(nuk::checkFileExistsReadable(file)), "'" + file + "': permission denied");
}

}  // namespace
