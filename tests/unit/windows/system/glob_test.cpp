// Wildcard expansion and the path checks against a real directory.

#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "cli/utf16.hpp"
#include "files/file.hpp"
#include "scratch_directory.hpp"

namespace nuk {
namespace {

using test::readAll;
using test::textOf;

// Records what glob hands to which handler.
class GlobTest : public test::ScratchDirectory {
protected:
    void SetUp() override {
        ScratchDirectory::SetUp();
        makeFile("a.prg", "A");
        makeFile("b.prg", "B");
        makeFile("notes.txt");
        makeDirectory("sub");
        makeFile("sub/c.prg", "C");
        makeDirectory("sub/more.prg");
    }

    std::optional<cli::Msg> expand(const std::string& argument) {
        files.clear();
        directories.clear();
        matchMessages.clear();
        auto result = glob(
            argument,
            [this](const std::string& path) -> std::optional<cli::Msg> {
                files.push_back(path);
                return fileAnswer;
            },
            [this](const std::string& path, PathHandler) -> std::optional<cli::Msg> {
                directories.push_back(path);
                return std::nullopt;
            },
            [this](const cli::Msg& message) { matchMessages.push_back(textOf(message)); });
        std::sort(files.begin(), files.end());
        return result;
    }

    std::vector<std::string> files;
    std::vector<std::string> directories;
    std::vector<std::string> matchMessages;
    std::optional<cli::Msg> fileAnswer;
};

using Paths = std::vector<std::string>;

TEST_F(GlobTest, ExistingNamesGoStraightToTheirHandler) {
    EXPECT_FALSE(expand("sub/c.prg"));
    EXPECT_EQ(files, Paths{"sub/c.prg"}) << "no backslashes, no long form";
    EXPECT_FALSE(expand("sub/"));
    EXPECT_EQ(directories, Paths{"sub/"});
}

TEST_F(GlobTest, PatternsExpandToEveryMatch) {
    EXPECT_FALSE(expand("*.prg"));
    EXPECT_EQ(files, (Paths{"a.prg", "b.prg"}));
    EXPECT_FALSE(expand("?.prg"));
    EXPECT_EQ(files, (Paths{"a.prg", "b.prg"}));
}

TEST_F(GlobTest, EntriesOfADirectoryPartAreJoinedWithOneBackslash) {
    for (const char* pattern : {"sub/*.prg", "sub\\*.prg", "sub//\\*.prg"}) {
        EXPECT_FALSE(expand(pattern));
        EXPECT_EQ(files, Paths{"sub\\c.prg"}) << pattern;
        EXPECT_EQ(directories, Paths{"sub\\more.prg"}) << "a matching directory goes to its handler";
    }
}

TEST_F(GlobTest, AbsolutePatternGivesAbsolutePaths) {
    EXPECT_FALSE(expand(here() + "\\*.txt"));
    EXPECT_EQ(files, Paths{here() + "\\notes.txt"});
}

TEST_F(GlobTest, DriveRelativePatternKeepsTheDrive) {
    const std::string drive = here().substr(0, 2);
    EXPECT_FALSE(expand(drive + "*.txt"));
    EXPECT_EQ(files, Paths{drive + "notes.txt"});
    EXPECT_TRUE(isFile(files.front())) << "the path names the drive's current directory, not its root";
}

TEST_F(GlobTest, NonAsciiNamesAreFoundAndNamedInUtf8) {
    makeFile("gr\xc3\xbc\xc3\x9f.prg");
    EXPECT_FALSE(expand("gr*"));
    EXPECT_EQ(files, Paths{"gr\xc3\xbc\xc3\x9f.prg"});
}

TEST_F(GlobTest, UnmatchedPatternsAreReported) {
    auto noMatch = expand("*.xyz");
    ASSERT_TRUE(noMatch);
    EXPECT_EQ(textOf(*noMatch), "'*.xyz': no such file or directory");
    EXPECT_EQ(noMatch->severity, cli::severityWarning);

    auto noPath = expand("nosuch/*.prg");
    ASSERT_TRUE(noPath);
    EXPECT_EQ(textOf(*noPath), "'nosuch/': no such path");
    auto noDirectory = expand("nosuch/");
    ASSERT_TRUE(noDirectory);
    EXPECT_EQ(textOf(*noDirectory), "'nosuch/': no such path");

    auto noName = expand("missing.prg");
    ASSERT_TRUE(noName);
    EXPECT_EQ(textOf(*noName), "'missing.prg': no such file or directory");
    EXPECT_TRUE(files.empty());
}

TEST_F(GlobTest, FileNameWithTrailingSeparatorIsNoPath) {
    auto result = expand("a.prg/");
    ASSERT_TRUE(result);
    EXPECT_EQ(textOf(*result), "'a.prg/': no such path");
    EXPECT_TRUE(files.empty());
}

TEST_F(GlobTest, MessageOfOneEntryGoesToTheCallerAndTheOthersGoOn) {
    fileAnswer = cli::Msg{cli::severityFatal, 0, "cannot read", {}};
    ::testing::internal::CaptureStderr();
    const auto result = expand("*.prg");
    const std::string printed = ::testing::internal::GetCapturedStderr();
    EXPECT_FALSE(result) << "entry messages never make the expansion fail";
    EXPECT_EQ(files, (Paths{"a.prg", "b.prg"}));
    EXPECT_EQ(matchMessages, (Paths{"cannot read", "cannot read"}));
    EXPECT_EQ(printed, "") << "the file layer prints nothing";
}

TEST_F(GlobTest, ArgumentWithUnpairedSurrogateIsNamedAsFarAsItConverts) {
    const std::string carried = toUtf8KeepingSurrogates(L"sub/ab\xd800" L"cd.prg");
    auto result = expand(carried);
    ASSERT_TRUE(result);
    EXPECT_EQ(textOf(*result), "'sub/ab': name cannot be converted to UTF-8");
    EXPECT_TRUE(files.empty());
}

using PathChecks = test::ScratchDirectory;

TEST_F(PathChecks, ReportTheSystemsAnswer) {
    makeFile("a.prg");
    makeDirectory("dir");
    EXPECT_FALSE(checkPathExistsReadable("a.prg"));
    EXPECT_FALSE(checkPathExistsReadable("dir"));
    EXPECT_FALSE(checkFileExistsReadable("a.prg"));
    EXPECT_TRUE(isFile("a.prg"));
    EXPECT_FALSE(isFile("dir"));
    EXPECT_TRUE(isDirectory("dir"));
    EXPECT_FALSE(isDirectory("a.prg"));

    auto directory = checkFileExistsReadable("dir");
    ASSERT_TRUE(directory);
    EXPECT_EQ(textOf(*directory), "'dir': is a directory");

    for (const char* missing : {"none.prg", "nodir/none.prg"}) {
        auto result = checkFileExistsReadable(missing);
        ASSERT_TRUE(result);
        EXPECT_EQ(textOf(*result), std::string("'") + missing + "': no such file or directory");
    }
}

TEST_F(PathChecks, BadNameSyntaxIsNamed) {
    auto result = checkPathExistsReadable("a\"b.prg");
    ASSERT_TRUE(result);
    EXPECT_EQ(textOf(*result), "'a\"b.prg': invalid path/file syntax");
}

TEST_F(PathChecks, FileIsReadWholeByItsUtf8Name) {
    const std::string content("\x01\x08\r\n\x1a\x00\xff", 7);
    makeFile("gr\xc3\xbc\xc3\x9f.prg", content);
    makeDirectory("sub");
    makeFile("sub/x.prg", "x");

    file_t file;
    ASSERT_FALSE(openFile("gr\xc3\xbc\xc3\x9f.prg", file));
    const std::vector<std::uint8_t> bytes = readAll(*file.source);
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), content);
    EXPECT_EQ(file.name, "gr\xc3\xbc\xc3\x9f.prg");
    EXPECT_EQ(file.directory, "");

    ASSERT_FALSE(openFile("sub/x.prg", file));
    EXPECT_EQ(file.directory, "sub/");
}

}  // namespace
}  // namespace nuk
