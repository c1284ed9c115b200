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

#include "app/dump.hpp"
#include "app/options.hpp"
#include "bench/dump_modes.hpp"

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

void dumpAll(std::ostream& out, std::uint64_t width)
{
    const std::vector<std::uint8_t>& data = input();
    dumpBytes(out, data, data.size(), width, 0, 0);
}

void BM_DumpNullStream(benchmark::State& state, bench::DumpMode mode)
{
    bench::ModeScope scope(mode);
    DiscardingBuffer buffer;
    std::ostream out(&buffer);
    for (auto _ : state)
        dumpAll(out, mode.width);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * inputBytes));
}

void BM_DumpStdout(benchmark::State& state, bench::DumpMode mode)
{
    console.attach(std::cout);
    bench::ModeScope scope(mode);
    StdoutToNull redirect;
    for (auto _ : state)
        dumpAll(std::cout, mode.width);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * inputBytes));
}

using nuk::con::ascii;
using nuk::con::codePage;
using nuk::con::unicode;
using bench::DumpMode;

// Fields: text mode, 0x, turbo, hex-upper, lowercase, colour, width.
const DumpMode unicodeMode{unicode, false, false, false, false, false, 16};
const DumpMode lowercaseMode{unicode, false, false, false, true, false, 16};
const DumpMode asciiMode{ascii, false, false, false, false, false, 16};
const DumpMode codePageMode{codePage, false, false, false, false, false, 16};
const DumpMode hex0xMode{unicode, true, false, false, false, false, 16};
const DumpMode turboUpperMode{unicode, false, true, true, false, false, 16};
const DumpMode colorMode{unicode, false, false, false, false, true, 16};
const DumpMode width64Mode{unicode, false, false, false, false, false, 64};
const DumpMode width1Mode{unicode, false, false, false, false, false, 1};

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
