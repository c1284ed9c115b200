// The run loop: applies the output settings, then dumps standard input or
// every FILE argument in turn. A failing FILE never stops the loop; only
// fatal messages make a dump's exit status 1, any message about an input
// that of extracted bytes (raw bytes, source code).

#include "app/run.hpp"

#include <functional>
#include <iostream>
#include <optional>

#include "dump/dump.hpp"
#include "dump/dump_2_source.hpp"
#include "app/list_file.hpp"
#include "app/options.hpp"
#include "app/output_check.hpp"
#include "app/run_inputs.hpp"
#include "app/run_reverse.hpp"
#include "cli/message.hpp"
#include "cli/value.hpp"
#include "console/console.hpp"
#include "console/console_string.hpp"
#include "containers/container.hpp"
#include "files/file.hpp"

namespace {

using nuk::cli::Msg;
using nuk::cli::Option;

// --list: whether programs are listed, and the dialect when one is named.
struct Listing {
    bool on = false;
    std::optional<basic::Dialect> dialect;
};

// What every FILE's dump shares: its settings, whether it lists programs,
// the separator still owed in front of the next FILE's output, and the
// BASIC line numbers that the FILEs' source code goes on with.
struct Dumping {
    const DumpSettings settings;
    const Listing listing;
    std::string pendingSeparator;
    std::uint64_t nextBasicLine = firstBasicLine;

    std::optional<Msg> dump(nuk::file_t& file, const std::string& path,
                            const std::optional<std::string>& placeLinePrefix = std::nullopt) {
        if (listing.on) return listFile(file, path, settings, listing.dialect, std::cout);
        DumpSettings shared = settings;
        shared.nextBasicLine = &nextBasicLine;
        return dumpFile(file, shared, std::cout, placeLinePrefix);
    }
};

Listing listingAsked() {
    if (!list.given()) return {};
    return {true, list.hasValues() ? basic::dialectNamed(list.values.front()) : std::nullopt};
}

// The integer value of an option; options that take a number always hold a
// valid one once parsed, anything else counts as 0.
std::uint64_t integerValue(const Option& option) {
    if (!option.hasValues()) return 0;
    const std::int64_t value = nuk::cli::toInteger(option.values.front());
    return value < 0 ? 0 : static_cast<std::uint64_t>(value);
}

// Offsets and lengths take 63 bits and, where the option allows it, a sign;
// the command line checks have refused any value out of that range.
nuk::cli::SignedInteger byteCount(const Option& option) {
    if (!option.hasValues()) return {};
    return nuk::cli::toSignedInteger(option.values.front()).value_or(nuk::cli::SignedInteger{});
}

std::optional<std::uint64_t> givenByteCount(const Option& option) {
    return option.hasValues() ? std::optional<std::uint64_t>(byteCount(option).magnitude) : std::nullopt;
}

// Turbo wins silently when both notations are asked for.
HexStyle hexStyle() {
    if (turbo.given()) return HexStyle::turbo;
    if (hex0x.given()) return HexStyle::c;
    return HexStyle::plain;
}

ByteView byteView() {
    if (bits.given()) return ByteView::bits;
    if (pixels.given()) return pixels.hasValues() ? ByteView::multicolourPixels : ByteView::pixels;
    return ByteView::hex;
}

std::optional<SourceFormat> sourceFormat() {
    return source.hasValues() ? sourceFormatNamed(source.values.front()) : std::nullopt;
}

// Bytes a line unless -w says: lines of bits stay within 80 characters, as
// xxd -b's do, and a picture is one byte wide, the width of a character.
std::uint64_t lineWidth(ByteView view, std::optional<SourceFormat> format) {
    if (width.given()) return integerValue(width);
    if (format) return defaultSourceWidth(*format);
    switch (view) {
    case ByteView::bits: return 6;
    case ByteView::pixels:
    case ByteView::multicolourPixels: return 1;
    case ByteView::hex: break;
    }
    return integerValue(width);
}

// The dump's settings from the options and the console's text mode, once
// the text mode switches are applied.
DumpSettings dumpSettings() {
    DumpSettings settings;
    const nuk::cli::SignedInteger seekValue = byteCount(seek);
    settings.seek = seekValue.magnitude;
    settings.seekFromEnd = seekValue.negative;
    settings.load = load.given();
    if (start.given()) settings.start = integerValue(start);
    settings.length = givenByteCount(len);
    settings.format.view = byteView();
    settings.source = sourceFormat();
    settings.format.width = lineWidth(settings.format.view, settings.source);
    settings.format.hexStyle = hexStyle();
    settings.format.upperCaseHex = hexUpper.given();
    settings.format.characterSet = characterSet(lowercase.given());
    settings.format.textMode = console.mode;
    settings.format.colour = color.given();
    settings.format.squeeze = squeeze.given();
    settings.raw = raw.given();
    return settings;
}

// Raw bytes and source code are never coloured.
bool colourAsked() { return color.given() && !raw.given() && !source.given(); }

void restoreColorsIfRequested() {
    if (colourAsked()) console.restore();
}

void applyColorSwitch() {
    if (!colourAsked()) return;
    console.colorEnabled = true;
    console.preserve();
    // Output that is redirected is left as an interrupt finds it.
    if (nuk::con::isTerminal(std::cout)) nuk::con::restoreColorsOnInterrupt(console);
}

// Forced text modes; without either option the mode chosen at attach stays.
void applyTextMode() {
    if (ascii.given()) {
        if (unicode.given()) {
            nuk::cli::warning("ascii flag (" + ascii.givenAs() + ") overrides unicode flag (" + unicode.givenAs() + ")");
        }
        console.mode = nuk::con::ascii;
    } else if (unicode.given()) {
        console.mode = nuk::con::unicode;
    }
}

// A name's control characters would act on a terminal (an escape sequence
// colours it, a line break splits the path line), so there they are shown as
// diagnostics show them. Redirected output keeps the exact bytes, which
// scripts rely on.
std::string pathLine(const std::string& path) {
    return nuk::con::isTerminal(std::cout) ? nuk::cli::oneLine(path) : path;
}

// The separator and optional path line that precede each FILE's output.
// The separator for the next FILE is set here already, so a FILE that then
// fails to read still separates the ones around it.
// Raw bytes and source code go out one FILE after another, with nothing
// between them.
void beginFileOutput(const std::string& path, Dumping& dumping) {
    if (!dumping.settings.writesLines()) return;
    std::cout << dumping.pendingSeparator;
    if (Epath.given()) {
        restoreColorsIfRequested();
        std::cout << nuk::con::ConsoleString(pathLine(path)) << "\n";
    }
    dumping.pendingSeparator = Enewline.given() ? "\n" : "";
}

std::optional<Msg> dumpPath(const std::string& path, Dumping& dumping) {
    beginFileOutput(path, dumping);
    return nuk::processFile(path, [&dumping, &path](nuk::file_t& file) { return dumping.dump(file, path); });
}

// A selector is served from a container (a disk image), under the whole
// argument as its path; any other file refuses it. With -v, each sector of a
// disk that the bytes come from is named before its lines, as the selector
// that shows it alone: "game.d64:@17/0".
std::optional<Msg> dumpFromContainer(const std::string& imagePath, const std::string& selector, Dumping& dumping) {
    const std::string argument = imagePath + ":" + selector;
    const std::optional<std::string> placeLinePrefix =
        verbose.given() ? std::optional<std::string>(pathLine(imagePath) + ":") : std::nullopt;
    return nuk::processSelector(imagePath, selector, [&](nuk::file_t& file) {
        beginFileOutput(argument, dumping);
        return dumping.dump(file, argument, placeLinePrefix);
    });
}

// Each image the path names (on Windows: each match of its wildcards) serves
// the selector; a directory refuses it, and so does a path that names nothing
// to dump, such as the "C" of a drive-relative "C:a.prg". A path named as a
// disk image that names nothing is missing as a FILE would be.
std::optional<Msg> serveSelector(const std::string& path, const std::string& selector, Dumping& dumping) {
    bool namesSomething = false;
    const nuk::PathHandler onImage = [&dumping, &namesSomething, selector](const std::string& imagePath) {
        namesSomething = true;
        return dumpFromContainer(imagePath, selector, dumping);
    };
    const nuk::DirectoryHandler refuse = [&namesSomething, selector](const std::string& directory, nuk::PathHandler) {
        namesSomething = true;
        report(nuk::selectorRefused(directory + ":" + selector));
        return std::optional<Msg>();
    };
    std::optional<Msg> problem = nuk::glob(path, onImage, refuse, warnAboutMatch);
    if (problem && !namesSomething && !nuk::namedAsContainer(path)) {
        report(nuk::selectorRefused(path + ":" + selector));
        return std::nullopt;
    }
    return problem;
}

std::optional<Msg> skipDirectory(const std::string& path, Dumping& dumping) {
    beginFileOutput(path, dumping);
    warnSkippingDirectory(path);
    return std::nullopt;
}

// One FILE argument: a path (on Windows: each match of its wildcards), or a
// container's path and what to take from it.
std::optional<Msg> dumpArgument(const std::string& argument, Dumping& dumping) {
    const nuk::PathHandler onFile = [&dumping](const std::string& path) { return dumpPath(path, dumping); };
    const nuk::DirectoryHandler onDirectory = [&dumping](const std::string& path, nuk::PathHandler) {
        return skipDirectory(path, dumping);
    };
    const auto [path, selector] = nuk::splitSelector(argument);
    return selector.empty() ? nuk::glob(path, onFile, onDirectory, warnAboutMatch) : serveSelector(path, selector, dumping);
}

// Standard input is named [data_from_stdin] in its path line.
InputHandlers dumpHandlers(Dumping& dumping) {
    InputHandlers handlers;
    handlers.onArgument = [&dumping](const std::string& argument) { return dumpArgument(argument, dumping); };
    handlers.onStandardInput = [&dumping](nuk::file_t& file) {
        if (Epath.given() && dumping.settings.writesLines()) std::cout << nuk::stdinLabel << "\n";
        return dumping.dump(file, nuk::stdinLabel);
    };
    handlers.readAhead = dumping.settings.showsNothing() ? nuk::ReadAhead::nothing : nuk::ReadAhead::firstByte;
    return handlers;
}

// Extracted bytes (--raw, --source, -r) cannot show a script that an input failed:
// an empty or partial file looks like a whole one. So any warning or error
// reported while the inputs were read makes the exit status 1, once every
// input is done. A dump keeps its status, as scripts built on it expect.
int extractionStatus(int exitStatus, std::uint64_t reportedBefore) {
    return nuk::cli::warningsAndErrorsReported() > reportedBefore ? 1 : exitStatus;
}

}  // namespace

int run() {
    if (refuseRawBytesToTerminal(raw.given() || reverse.given())) return 1;
    if (reverse.given()) {
        const std::uint64_t reportedBefore = nuk::cli::warningsAndErrorsReported();
        return extractionStatus(runReverse(parser.arguments()), reportedBefore);
    }
    const auto finish = [](int exitStatus) {
        restoreColorsIfRequested();
        return confirmStandardOutput(exitStatus);
    };
    applyColorSwitch();
    applyTextMode();
    const std::uint64_t reportedBefore = nuk::cli::warningsAndErrorsReported();
    Dumping dumping{dumpSettings(), listingAsked(), ""};
    const int exitStatus = finish(processInputs(parser.arguments(), dumpHandlers(dumping)));
    return dumping.settings.writesLines() ? exitStatus : extractionStatus(exitStatus, reportedBefore);
}
