// An input listed as a BASIC program, or dumped when it is none.

#include "app/list_file.hpp"

#include <memory>

#include "dump/dump.hpp"
#include "basic/program_listing.hpp"
#include "console/console_string.hpp"
#include "files/file_messages.hpp"
#include "files/held_bytes_source.hpp"
#include "files/stream_tail.hpp"

namespace {

// The input from the byte the seek names on: as the dump does, a seek from
// the end counts from the end of an input of any kind.
nuk::BlockSource& seekTo(nuk::BlockSource& source, const DumpSettings& settings,
                         std::unique_ptr<nuk::BlockSource>& tail) {
    if (!settings.seekFromEnd) {
        source.skip(settings.seek);
        return source;
    }
    std::optional<std::uint64_t> left = source.remaining();
    nuk::BlockSource* from = &source;
    if (!left) {
        tail = nuk::keepLastBytes(source, 0, settings.seek);
        from = tail.get();
        left = tail->remaining();
    }
    if (*left > settings.seek) from->skip(*left - settings.seek);
    return *from;
}

// The text goes out as console text where the console takes it in another form.
void writeText(std::ostream& out, const std::string& text) {
    if (nuk::con::convertsConsoleText(out))
        out << nuk::con::ConsoleString(text);
    else
        out.write(text.data(), static_cast<std::streamsize>(text.size()));
}

}  // namespace

std::optional<nuk::cli::Msg> listFile(nuk::file_t& file, const std::string& path, const DumpSettings& settings,
                                      std::optional<basic::Dialect> dialect, std::ostream& out) {
    if (settings.showsNothing()) return std::nullopt;
    std::unique_ptr<nuk::BlockSource> tail;
    nuk::BlockSource& input = seekTo(*file.source, settings, tail);

    basic::ListingSettings listing;
    listing.dialect = dialect;
    if (settings.start) listing.loadAddress = static_cast<std::uint16_t>(*settings.start & 0xFFFF);
    listing.limit = settings.length;
    listing.characterSet = settings.format.characterSet;
    listing.textMode = settings.format.textMode;
    const basic::ListingResult result =
        basic::listProgram(input, listing, [&out](const std::string& text) { writeText(out, text); });

    // The rest is dumped from where the program ends; an input that is no
    // program is all rest, from its load address.
    DumpSettings rest;
    rest.format = settings.format;
    if (settings.length) rest.length = *settings.length - result.taken;
    if (result.listed) {
        rest.start = result.loadAddress + (result.taken - 2);
    } else {
        if (!result.held.empty()) nuk::pathMessage(path, "': no BASIC program, dumped as bytes").print();
        rest.load = true;
        rest.start = settings.start;
    }
    const std::unique_ptr<nuk::BlockSource> restOfFile = nuk::heldBytesThen(result.held, input);
    const std::optional<nuk::cli::Msg> failure = dumpFile(*restOfFile, {file.directory, file.name}, rest, out);
    return failure ? failure : input.failure();
}
