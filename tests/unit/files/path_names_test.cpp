#include <gtest/gtest.h>

#include <string>

#include "files/file.hpp"

namespace {

struct SplitCase {
    const char* path;
    const char* directory;
    const char* name;
};

TEST(PathNames, SplitAtTheLastSlashOrBackslash) {
    const SplitCase cases[] = {
        {"x.prg", "", "x.prg"},
        {"dir/sub/x.prg", "dir/sub/", "x.prg"},
        {"/x.prg", "/", "x.prg"},
        {"a\\b", "a\\", "b"},            // backslash separates on every platform
        {"a\\b/c", "a\\b/", "c"},
        {"d/", "d/", ""},                // trailing separator: no name
        {"dir/..", "dir/..", ""},        // dot names keep the whole path as directory
        {"dir/.", "dir/.", ""},
        {"..", "..", ""},
        {".", ".", ""},
        {"dir/...", "dir/", "..."},      // only "." and ".." are dot names
        {".hidden", "", ".hidden"},
        {"", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(nuk::dirName(c.path), c.directory) << c.path;
        EXPECT_EQ(nuk::baseName(c.path), c.name) << c.path;
    }
}

}  // namespace
