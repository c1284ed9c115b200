// The dump formatter in its output modes, in bytes of input per second.
//
// "null_stream" cases write into a buffered stream that discards its buffer:
// formatting alone. "stdout" cases write to std::cout with descriptor 1 sent
// to /dev/null: the path the program really takes, with the standard stream's
// overhead, and the only one where colour effects are written (they go out
// only on the stream the console is attached to).

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <streambuf>
#include <vector>

#include "bench/dump_modes.hpp"
#include "dump/dump.hpp"

namespace {

constexpr std::size_t inputBytes = 1 << 20;

const std::vector<std::uint8_t>& input()
{
    static const std::vector<std::uint8_t> bytes = bench::randomBytes(inputBytes, 1);
    return bytes;
}

// Keeps a buffer like a file stream does, and throws its content away.
class DiscardingBuffer : public std::streambuf {
public:
    DiscardingBuffer() { setp(buffer_, buffer_ + sizeof buffer_); }

protected:
    int overflow(int c) override
    {
        setp(buffer_, buffer_ + sizeof buffer_);
        if (!traits_type::eq_int_type(c, traits_type::eof()))
            sputc(traits_type::to_char_type(c));
        return traits_type::not_eof(c);
    }

private:
    char buffer_[1 << 16];
};

// Points descriptor 1 at /dev/null while it lives; the benchmark's own report
// is written after the measured loop, when the descriptor is back.
class StdoutToNull {
public:
    StdoutToNull()
    {
        flushStandardOutput();
        saved_ = dup(1);
        int devNull = open("/dev/null", O_WRONLY);
        dup2(devNull, 1);
        close(devNull);
    }
    ~StdoutToNull()
    {
        flushStandardOutput();
        dup2(saved_, 1);
        close(saved_);
    }
    StdoutToNull(const StdoutToNull&) = delete;
    StdoutToNull& operator=(const StdoutToNull&) = delete;

private:
    int saved_ = -1;
    static void flushStandardOutput()
    {
        std::cout.flush();
        std::fflush(stdout);
    }
};

void dumpAll(const LineFormat& format, std::ostream& out)
{
    const std::vector<std::uint8_t>& data = input();
    dumpBytes(data, data.size(), 0, 0, format, out);
}

void BM_DumpNullStream(benchmark::State& state, LineFormat format)
{
    DiscardingBuffer buffer;
    std::ostream out(&buffer);
    for (auto _ : state)
        dumpAll(format, out);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * inputBytes));
}

// The console is attached to std::cout, as in the program, so that colour
// can go out.
void BM_DumpStdout(benchmark::State& state, LineFormat format)
{
    bench::benchConsole().attach(std::cout);
    bench::ColourScope colour(format.colour);
    StdoutToNull redirect;
    for (auto _ : state)
        dumpAll(format, std::cout);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * inputBytes));
}

using nuk::con::ascii;
using nuk::con::codePage;
using nuk::con::unicode;

// Fields: width, notation, hex-upper, lowercase, text mode, colour.
const LineFormat unicodeMode{16, HexStyle::plain, false, CharacterSet::graphics, unicode, false};
const LineFormat lowercaseMode{16, HexStyle::plain, false, CharacterSet::lowercase, unicode, false};
const LineFormat asciiMode{16, HexStyle::plain, false, CharacterSet::graphics, ascii, false};
const LineFormat codePageMode{16, HexStyle::plain, false, CharacterSet::graphics, codePage, false};
const LineFormat hex0xMode{16, HexStyle::c, false, CharacterSet::graphics, unicode, false};
const LineFormat turboUpperMode{16, HexStyle::turbo, true, CharacterSet::graphics, unicode, false};
const LineFormat colorMode{16, HexStyle::plain, false, CharacterSet::graphics, unicode, true};
const LineFormat width64Mode{64, HexStyle::plain, false, CharacterSet::graphics, unicode, false};
const LineFormat width1Mode{1, HexStyle::plain, false, CharacterSet::graphics, unicode, false};

}  // namespace

BENCHMARK_CAPTURE(BM_DumpNullStream, unicode, unicodeMode);
BENCHMARK_CAPTURE(BM_DumpNullStream, unicode_lowercase, lowercaseMode);
BENCHMARK_CAPTURE(BM_DumpNullStream, ascii, asciiMode);
BENCHMARK_CAPTURE(BM_DumpNullStream, code_page, codePageMode);
BENCHMARK_CAPTURE(BM_DumpNullStream, hex_0x, hex0xMode);
BENCHMARK_CAPTURE(BM_DumpNullStream, turbo_upper, turboUpperMode);
BENCHMARK_CAPTURE(BM_DumpNullStream, width_64, width64Mode);
BENCHMARK_CAPTURE(BM_DumpNullStream, width_1, width1Mode);

BENCHMARK_CAPTURE(BM_DumpStdout, unicode, unicodeMode);
BENCHMARK_CAPTURE(BM_DumpStdout, ascii, asciiMode);
BENCHMARK_CAPTURE(BM_DumpStdout, color, colorMode);
BENCHMARK_CAPTURE(BM_DumpStdout, width_64, width64Mode);
