// The long, absolute UTF-16 form of paths and the joining of entry paths.

#include <gtest/gtest.h>

#include "cli/utf16.hpp"
#include "files/file.hpp"
#include "files/windows/long_path.hpp"
#include "scratch_directory.hpp"

namespace nuk {
namespace {

using test::readAll;
using test::ScratchDirectory;

TEST(JoinPath, JoinsWithOneBackslash) {
    struct Case {
        const char* directory;
        const char* name;
        const char* joined;
    };
    const Case cases[] = {
        {"", "a.prg", "a.prg"},
        {"", "sub/a.prg", "sub/a.prg"},  // nothing to join: left as given
        {"sub/", "a.prg", "sub\\a.prg"},
        {"sub\\", "a.prg", "sub\\a.prg"},
        {"sub//\\", "a.prg", "sub\\a.prg"},
        {"sub", "/a.prg", "sub\\a.prg"},
        {"a/b/", "c.prg", "a\\b\\c.prg"},
        {"C:/data/", "x.prg", "C:\\data\\x.prg"},
        {"/", "a.prg", "\\a.prg"},
        {"sub/", "", "sub"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(joinPath(c.directory, c.name), c.joined) << c.directory << " + " << c.name;
    }
}

using LongPath = ScratchDirectory;

TEST_F(LongPath, IsAbsoluteAndPrefixed) {
    const std::wstring here = toUtf16(this->here());
    EXPECT_EQ(toLongPath("a.prg"), L"\\\\?\\" + here + L"\\a.prg");
    EXPECT_EQ(toLongPath("sub/x/../a.prg"), L"\\\\?\\" + here + L"\\sub\\a.prg");
    EXPECT_EQ(toLongPath("C:/data/a.prg"), L"\\\\?\\C:\\data\\a.prg");
    EXPECT_EQ(toLongPath("gr\xc3\xbc\xc3\x9f"), L"\\\\?\\" + here + L"\\gr\u00fc\u00df");
}

TEST_F(LongPath, NetworkAndPrefixedPathsKeepTheirMeaning) {
    EXPECT_EQ(toLongPath("\\\\server\\share\\a.prg"), L"\\\\?\\UNC\\server\\share\\a.prg");
    EXPECT_EQ(toLongPath("//server/share/a.prg"), L"\\\\?\\UNC\\server\\share\\a.prg");
    EXPECT_EQ(toLongPath("\\\\?\\C:\\data\\a.prg"), L"\\\\?\\C:\\data\\a.prg");
}

TEST_F(LongPath, EmptyPathHasNoLongForm) { EXPECT_EQ(toLongPath(""), L""); }

TEST_F(LongPath, InvalidUtf8Throws) { EXPECT_THROW(toLongPath("bad\xff"), std::runtime_error); }

// The classic limit of 260 characters cannot be observed under every system
// (Wine has none), so this checks that a path past it keeps its full length
// in the prefixed form, which is what lifts the limit, and that it is read.
TEST_F(LongPath, PathBeyondTheClassicLimitIsKeptWholeAndRead) {
    std::string path;
    for (int level = 0; level < 12; ++level) {
        path += std::string(30, static_cast<char>('a' + level));
        makeDirectory(path);
        path += "/";
    }
    path += "deep.prg";
    ASSERT_GT(here().size() + path.size(), 260u);
    makeFile(path, "\x01\x08");

    const std::wstring longForm = toLongPath(path);
    EXPECT_EQ(longForm.size(), 4 + here().size() + 1 + path.size());
    EXPECT_EQ(longForm.find(L'/'), std::wstring::npos);

    file_t file;
    EXPECT_FALSE(checkFileExistsReadable(path).has_value());
    ASSERT_FALSE(openFile(path, file).has_value());
    EXPECT_EQ(readAll(*file.source), (std::vector<std::uint8_t>{0x01, 0x08}));
    EXPECT_EQ(file.name, "deep.prg");
}

}  // namespace
}  // namespace nuk
