// The Windows entry point: the command line arrives as UTF-16 words, which
// the parser turns into UTF-8 like every other text of the program.

#include <fcntl.h>
#include <io.h>

#include <clocale>
#include <cstddef>
#include <cstdio>

#include "app/entry.hpp"
#include "console/console.hpp"

// The program expands wildcards itself (nuk::glob), so the runtime must hand
// the patterns over unexpanded.
extern "C" {
int _dowildcard = 0;
}

namespace {

// Text mode would write every "\n" as CR LF. A console needs that (escape
// processing is switched on without the automatic carriage return), but a
// file or pipe gets the same bytes as from the Linux program.
void keepRedirectedOutputBinary() {
    constexpr int standardOutput = 1;
    constexpr int standardError = 2;
    for (int index : {standardOutput, standardError}) {
        const nuk::con::StreamEntry& entry = nuk::con::streamEntry(index);
        if (!entry.terminal) _setmode(_fileno(entry.file), _O_BINARY);
    }
}

// The runtime gives a character device such as NUL no buffer, as it would a
// console, and then writes the tail of every block it is handed one byte at
// a time. Standard output that is not a console gets a buffer of its own, so
// that each write reaches the system as a whole block (a console keeps its
// own way: wide text goes there with WriteConsoleW).
void bufferRedirectedOutput() {
    constexpr int standardOutput = 1;
    constexpr std::size_t outputBufferSize = 64 * 1024;
    const nuk::con::StreamEntry& entry = nuk::con::streamEntry(standardOutput);
    if (!entry.terminal) std::setvbuf(entry.file, nullptr, _IOFBF, outputBufferSize);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::setlocale(LC_ALL, ".1200");
    keepRedirectedOutputBinary();
    bufferRedirectedOutput();
    return enterProgram([argc, argv](nuk::cli::Parser& parser) { parser.parse(argc, argv); });
}
