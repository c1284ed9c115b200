#pragma once
// Dumps read back into the bytes they show: the lines of one input, which
// may hold the dumps of several (each after its path line or an empty line),
// become the bytes of its hex columns, one dump after the other.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>

#include "files/block_source.hpp"

namespace undump {

struct ReverseSettings {
    // Each dump's bytes follow its first address, little-endian in two
    // bytes, as a program file keeps its load address.
    bool loadAddress = false;
};

// Why an input is no dump, and the line that shows it (counted from 1).
struct Fault {
    std::uint64_t line = 0;
    std::string text;
};

// Writes the bytes of the input's dumps to `out`, up to the first line that
// is no dump line or whose address does not follow; then the fault comes
// back. A failing read ends the input like its end does (the source keeps
// the message).
std::optional<Fault> reverseDump(nuk::BlockSource& source, const ReverseSettings& settings, std::ostream& out);

}  // namespace undump
