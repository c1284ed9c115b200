// The PETSCII translation per text mode, in bytes of input per second.
// The formatter asks for one line at a time, so the 16-byte calls are the
// ones that matter; the 4096-byte calls show what is left once the per-call
// cost (the string and its reservation) is spread thin.

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "bench/dump_modes.hpp"
#include "petscii/petscii.hpp"

namespace {

constexpr std::size_t inputBytes = 1 << 20;

const std::vector<std::uint8_t>& input()
{
    static const std::vector<std::uint8_t> bytes = bench::randomBytes(inputBytes, 1);
    return bytes;
}

// state.range(0) = bytes per call.
void BM_PetsciiText(benchmark::State& state, CharacterSet set, nuk::con::TextMode textMode)
{
    const std::vector<std::uint8_t>& data = input();
    const std::size_t chunk = static_cast<std::size_t>(state.range(0));
    for (auto _ : state) {
        for (std::size_t at = 0; at + chunk <= data.size(); at += chunk) {
            std::string text = petsciiText(data.data() + at, chunk, set, textMode);
            benchmark::DoNotOptimize(text.data());
        }
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * inputBytes));
}

}  // namespace

BENCHMARK_CAPTURE(BM_PetsciiText, unicode, CharacterSet::graphics, nuk::con::unicode)->Arg(16)->Arg(4096);
BENCHMARK_CAPTURE(BM_PetsciiText, unicode_lowercase, CharacterSet::lowercase, nuk::con::unicode)->Arg(16)->Arg(4096);
BENCHMARK_CAPTURE(BM_PetsciiText, ascii, CharacterSet::graphics, nuk::con::ascii)->Arg(16)->Arg(4096);
BENCHMARK_CAPTURE(BM_PetsciiText, code_page, CharacterSet::graphics, nuk::con::codePage)->Arg(16)->Arg(4096);
BENCHMARK_CAPTURE(BM_PetsciiText, wide_console, CharacterSet::graphics, nuk::con::wideConsole)->Arg(16);
