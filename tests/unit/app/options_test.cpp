#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/options.hpp"

namespace {

// Every option must be reachable by each of its names; a duplicated name
// would silently make a later option unreachable.
TEST(OptionTable, EveryOptionIsRegisteredOnceAndFoundByItsNames) {
    if (parser.groups.empty()) initCommandLine();
    std::set<const nuk::cli::Option*> registered;
    std::size_t entries = 0;
    for (const auto& group : parser.groups) {
        for (const nuk::cli::Option* option : group.options) {
            registered.insert(option);
            ++entries;
        }
    }
    EXPECT_EQ(entries, 27u);
    EXPECT_EQ(registered.size(), 27u);
    for (const nuk::cli::Option* option : registered) {
        EXPECT_EQ(parser.findOption(option->longName), option) << option->longName;
        if (option->shortName != 0) {
            EXPECT_EQ(parser.findOption(std::string(1, option->shortName)), option) << option->longName;
        }
    }
}

}  // namespace
