#pragma once
// Output modes of the formatter as the benchmarks use them: the line format
// itself, and for colour the switch of the console that standard output is
// attached to, set for the duration of one benchmark and then put back.

#include <cstdint>
#include <vector>

#include "console/console.hpp"
#include "dump/dump_settings.hpp"

namespace bench {

// The console the benchmarks attach to standard output, as the program
// attaches its own.
nuk::con::Console& benchConsole();

// Sets the colour switch of the benchmarks' console; restores it when it goes
// out of scope.
class ColourScope {
public:
    explicit ColourScope(bool on);
    ~ColourScope();
    ColourScope(const ColourScope&) = delete;
    ColourScope& operator=(const ColourScope&) = delete;

private:
    bool saved_;
};

// Reproducible pseudo-random bytes (the same generator as the input files).
std::vector<std::uint8_t> randomBytes(std::size_t n, std::uint64_t seed);

}  // namespace bench
