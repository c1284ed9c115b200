#include "bench/dump_modes.hpp"

#include "bench/byte_source.hpp"

namespace bench {

nuk::con::Console& benchConsole()
{
    static nuk::con::Console console;
    return console;
}

ColourScope::ColourScope(bool on) : saved_(benchConsole().colorEnabled) { benchConsole().colorEnabled = on; }

ColourScope::~ColourScope() { benchConsole().colorEnabled = saved_; }

std::vector<std::uint8_t> randomBytes(std::size_t n, std::uint64_t seed)
{
    std::vector<std::uint8_t> bytes(n);
    ByteSource(seed).fill(bytes.data(), n);
    return bytes;
}

}  // namespace bench
