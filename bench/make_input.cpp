// Writes the benchmark inputs: the same bytes for the same seed on every
// machine, so timings and output checksums from different runs compare.
//
//   bench_make_input random <bytes> <seed> <path>
//   bench_make_input prg <bytes> <seed> <load-address> <path>
//   bench_make_input files <count> <max-bytes> <seed> <directory>
//
// A random file of n bytes is the prefix of every longer one with the same
// seed, so a small input is a cut of the big one.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "bench/byte_source.hpp"

namespace {

using bench::ByteSource;

std::uint64_t number(const char* text)
{
    char* end = nullptr;
    unsigned long long value = std::strtoull(text, &end, 0);
    if (end == text || *end != '\0') {
        std::cerr << "bench_make_input: not a number: " << text << "\n";
        std::exit(2);
    }
    return value;
}

bool writeRandom(std::ostream& out, std::uint64_t bytes, ByteSource& source)
{
    // Chunks are a multiple of 8 so the byte stream does not depend on them.
    std::vector<char> chunk(1 << 20);
    while (bytes > 0) {
        source.fill(chunk.data(), chunk.size());
        std::size_t n = bytes < chunk.size() ? static_cast<std::size_t>(bytes) : chunk.size();
        out.write(chunk.data(), static_cast<std::streamsize>(n));
        bytes -= n;
    }
    return static_cast<bool>(out);
}

bool makeRandom(std::uint64_t bytes, std::uint64_t seed, const std::string& path)
{
    std::ofstream out(path, std::ios::binary);
    ByteSource source(seed);
    return writeRandom(out, bytes, source);
}

// A program file: the little-endian load address, then the body.
bool makePrg(std::uint64_t bytes, std::uint64_t seed, std::uint64_t loadAddress,
             const std::string& path)
{
    if (bytes < 2)
        return false;
    std::ofstream out(path, std::ios::binary);
    out.put(static_cast<char>(loadAddress & 0xff));
    out.put(static_cast<char>((loadAddress >> 8) & 0xff));
    ByteSource source(seed);
    return writeRandom(out, bytes - 2, source);
}

// Files f000.bin, f001.bin, ... of 1 to maxBytes bytes each.
bool makeFiles(std::uint64_t count, std::uint64_t maxBytes, std::uint64_t seed,
               const std::string& directory)
{
    ByteSource sizes(seed);
    ByteSource contents(seed + 1);
    for (std::uint64_t i = 0; i < count; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "/f%03llu.bin", static_cast<unsigned long long>(i));
        std::ofstream out(directory + name, std::ios::binary);
        if (!writeRandom(out, 1 + sizes.next() % maxBytes, contents))
            return false;
    }
    return true;
}

int usage()
{
    std::cerr << "usage: bench_make_input random <bytes> <seed> <path>\n"
                 "       bench_make_input prg <bytes> <seed> <load-address> <path>\n"
                 "       bench_make_input files <count> <max-bytes> <seed> <directory>\n";
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2)
        return usage();
    const std::string kind = argv[1];
    bool ok = false;
    if (kind == "random" && argc == 5)
        ok = makeRandom(number(argv[2]), number(argv[3]), argv[4]);
    else if (kind == "prg" && argc == 6)
        ok = makePrg(number(argv[2]), number(argv[3]), number(argv[4]), argv[5]);
    else if (kind == "files" && argc == 6)
        ok = makeFiles(number(argv[2]), number(argv[3]), number(argv[4]), argv[5]);
    else
        return usage();
    if (!ok) {
        std::cerr << "bench_make_input: could not write " << argv[argc - 1] << "\n";
        return 1;
    }
    return 0;
}
