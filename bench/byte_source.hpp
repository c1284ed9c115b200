#pragma once
// Reproducible pseudo-random bytes for the benchmark inputs: the same bytes
// for the same seed on every machine and in every build, so timings and output
// checksums from different runs compare. splitmix64 is tiny and fully
// specified, unlike the distributions of <random>.

#include <cstddef>
#include <cstdint>

namespace bench {

class ByteSource {
public:
    explicit ByteSource(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next()
    {
        std::uint64_t z = (state_ += 0x9e3779b97f4a7c15ull);
        z = (z ^ (z >> 30)) * 0xbf58476d1ce4e5b9ull;
        z = (z ^ (z >> 27)) * 0x94d049bb133111ebull;
        return z ^ (z >> 31);
    }

    // Eight bytes per word, low byte first; a partial last word is cut, so
    // fills of a multiple of 8 bytes give one stream whatever the chunk size.
    template <typename Byte>
    void fill(Byte* bytes, std::size_t n)
    {
        for (std::size_t i = 0; i < n; i += 8) {
            std::uint64_t word = next();
            for (std::size_t k = 0; k < 8 && i + k < n; ++k)
                bytes[i + k] = static_cast<Byte>(word >> (8 * k));
        }
    }

private:
    std::uint64_t state_;
};

}  // namespace bench
