#include <gtest/gtest.h>

#include <string>

#include "containers/container.hpp"

namespace {

struct SelectorCase {
    std::string argument;
    std::string path;
    std::string selector;
};

TEST(SplitSelector, SeparatesTheDiskSelectorAtTheFirstColon) {
    const SelectorCase cases[] = {
        {"game.d64:$", "game.d64", "$"},
        {"game.d64:file:$", "game.d64", "file:$"},
        {"game.prg", "game.prg", ""},
        {"game.prg:", "game.prg", ""},   // a lone trailing colon names the path before it
        {":$", "", "$"},
        {":", "", ""},
        {"", "", ""},
        {"-", "-", ""},
        {"C:\\x:$", "C:\\x", "$"},       // a drive colon is protected by the backslash after it
        {"C:\\x", "C:\\x", ""},
        {"C:\\x:", "C:\\x", ""},
        {"C:/x:$", "C", "/x:$"},         // a forward slash does not protect it
        {"C:", "C", ""},
        {"C:\\", "C:\\", ""},
        {"dir/a:b.prg", "dir/a", "b.prg"},
    };
    for (const auto& c : cases) {
        const auto [path, selector] = nuk::splitSelector(c.argument);
        EXPECT_EQ(path, c.path) << "argument '" << c.argument << "'";
        EXPECT_EQ(selector, c.selector) << "argument '" << c.argument << "'";
    }
}

}  // namespace
