// The Windows entry point: the command line arrives as UTF-16 words, which
// the parser turns into UTF-8 like every other text of the program.

#include <fcntl.h>
#include <io.h>

#include <clocale>
#include <cstdio>

#include "app/entry.hpp"
#include "console/console.hpp"

// The program expands wildcards itself (nuk::dispatchArgument), so the runtime must hand
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

}  // namespace

int wmain(int argc, wchar_t** argv) {
    std::setlocale(LC_ALL, ".1200");
    keepRedirectedOutputBinary();
    return enterProgram([argc, argv](nuk::cli::Parser& parser) { parser.parse(argc, argv); });
}
