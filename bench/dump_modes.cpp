#include "bench/dump_modes.hpp"

#include "app/options.hpp"
#include "bench/byte_source.hpp"

namespace bench {

ColourScope::ColourScope(bool on) : saved_(console.colorEnabled) { console.colorEnabled = on; }

ColourScope::~ColourScope() { console.colorEnabled = saved_; }

std::vector<std::uint8_t> randomBytes(std::size_t n, std::uint64_t seed)
{
    std::vector<std::uint8_t> bytes(n);
    ByteSource(seed).fill(bytes.data(), n);
    return bytes;
}

}  // namespace bench
