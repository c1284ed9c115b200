// The stream table: which standard streams were terminals when the process
// started, and which stream buffer each of them had. Later questions about
// a stream are answered by the identity of its current buffer, so a stream
// that the program redirects inside itself no longer counts as standard.

#include <array>
#include <cstdio>
#include <iostream>

#include "console/console.hpp"
#include "console/platform_seam.hpp"

namespace nuk::con {

namespace {

constexpr int standardInputIndex = 0;

using StreamTable = std::array<StreamEntry, streamCount>;

StreamEntry probe(std::ios& stream, std::FILE* file) {
    return StreamEntry{isTerminalFile(file), stream.rdbuf(), file};
}

StreamTable probeStandardStreams() {
    // Makes sure the standard stream objects exist even when another
    // translation unit asks for the table first during static initialisation.
    const std::ios_base::Init streamsConstructed;
    return StreamTable{
        probe(std::cin, stdin),
        probe(std::cout, stdout),
        probe(std::cerr, stderr),
        probe(std::clog, stderr),
    };
}

const StreamTable& streamTable() {
    static const StreamTable table = probeStandardStreams();
    return table;
}

// Takes the table during static initialisation, before main can touch a stream.
const bool tableTakenBeforeMain = (streamTable(), true);

// Parallel to the table; only attach writes it.
std::array<Console*, streamCount> registry{};

// The standard I/O stream behind a buffer; standard input carries no console,
// and any buffer not in the table names none.
std::FILE* outputFileOf(const std::streambuf* buffer) {
    const StreamTable& table = streamTable();
    for (int i = standardInputIndex + 1; i < streamCount; ++i) {
        if (table[i].buffer == buffer) {
            return table[i].file;
        }
    }
    return nullptr;
}

}  // namespace

const StreamEntry& streamEntry(int index) { return streamTable().at(index); }

bool isTerminal(const std::ios& stream) {
    for (const StreamEntry& entry : streamTable()) {
        if (entry.buffer == stream.rdbuf()) {
            return entry.terminal;
        }
    }
    return false;
}

Console* consoleFor(const std::ios& stream) {
    std::FILE* file = outputFileOf(stream.rdbuf());
    if (file == nullptr) {
        return nullptr;
    }
    // standard error and the log stream share stderr: the later slot decides.
    Console* console = nullptr;
    const StreamTable& table = streamTable();
    for (int i = 0; i < streamCount; ++i) {
        if (table[i].file == file) {
            console = registry[i];
        }
    }
    return console;
}

void registerConsole(Console& console, const std::ios& stream) {
    const StreamTable& table = streamTable();
    for (int i = 0; i < streamCount; ++i) {
        if (table[i].buffer == stream.rdbuf()) {
            registry[i] = &console;
        }
    }
}

}  // namespace nuk::con
