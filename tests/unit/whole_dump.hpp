#pragma once
// The dump of an input held whole: the rules for the first byte shown, its
// address and the count, applied to the whole input at once and handed to
// the whole-input formatter. A dump read in pieces must come out the same.
// For the unit tests and the streaming fuzz target.

#include <algorithm>
#include <cstdint>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "dump/dump.hpp"

namespace test {

// shown: the count of positions instead of the one the rules give, for an
// input that broke off.
inline std::string wholeDump(const std::vector<std::uint8_t>& data, const DumpSettings& settings,
                             std::optional<std::uint64_t> shown = std::nullopt) {
    if (data.empty() || settings.showsNothing()) return "";
    const std::uint64_t size = data.size();
    const std::uint64_t first = settings.load ? settings.seek + 2 : settings.seek;
    std::uint64_t address = settings.seek;
    if (settings.load) address += data[0] + 256 * std::uint64_t{size > 1 ? data[1] : 0u};
    if (settings.start) address = *settings.start & 0xFFFF;
    const std::uint64_t count = shown           ? *shown
                                : settings.length ? std::min(size, *settings.length)
                                                  : std::min(size, size - first);
    std::ostringstream out;
    dumpBytes(data, count, address, first, settings.format, out);
    return out.str();
}

}  // namespace test
