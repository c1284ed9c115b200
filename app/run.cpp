// The run loop: applies the output settings, then dumps standard input or
// every FILE argument in turn. A failing FILE never stops the loop; only
// fatal messages make the exit status 1.

#include "app/run.hpp"

#include <functional>
#include <iostream>
#include <optional>

#include "app/dump.hpp"
#include "app/options.hpp"
#include "app/output_check.hpp"
#include "cli/message.hpp"
#include "console/console.hpp"
#include "console/console_string.hpp"
#include "files/disk_selector.hpp"
#include "files/file.hpp"

namespace {

using nuk::cli::Msg;

// Prints a message that came back from the file layer; true when it was fatal.
bool report(const std::optional<Msg>& message) { return message && message->print(); }

// A warning about a path; the path goes out through the console-aware writer.
void warnAboutPath(const std::string& path, const char* suffix) {
    Msg message;
    message.severity = nuk::cli::severityWarning;
    message.writer = [path, suffix](std::ostream& out) {
        out << "'" << nuk::con::ConsoleString(nuk::cli::oneLine(path)) << suffix;
    };
    message.print();
}

void restoreColorsIfRequested() {
    if (color.given()) console.restore();
}

void applyColorSwitch() {
    if (!color.given()) return;
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
void beginFileOutput(const std::string& path, std::string& pendingSeparator) {
    std::cout << pendingSeparator;
    if (Epath.given()) {
        restoreColorsIfRequested();
        std::cout << nuk::con::ConsoleString(pathLine(path)) << "\n";
    }
    pendingSeparator = Enewline.given() ? "\n" : "";
}

std::optional<Msg> dumpPath(const std::string& path, std::string& pendingSeparator) {
    beginFileOutput(path, pendingSeparator);
    return nuk::processFile(path, dumpFile);
}

// A selector is served from a disk image, under the whole argument as its
// path; on any other file it is refused, as it is on a directory.
std::optional<Msg> dumpFromImage(const std::string& imagePath, const std::string& selector,
                                 std::string& pendingSeparator) {
    const std::string argument = imagePath + ":" + selector;
    if (!nuk::isDiskImage(imagePath)) {
        warnAboutPath(argument, "': CBM $electors are not supported");
        return std::nullopt;
    }
    return nuk::processDiskSelector(imagePath, selector, [&](nuk::file_t& file) {
        beginFileOutput(argument, pendingSeparator);
        return dumpFile(file);
    });
}

// Each image the path names (on Windows: each match of its wildcards) serves
// the selector; a directory refuses it, and so does a path that names nothing
// to dump, such as the "C" of a drive-relative "C:a.prg".
std::optional<Msg> serveSelector(const std::string& path, const std::string& selector, std::string& pendingSeparator) {
    bool namesSomething = false;
    const nuk::PathHandler onImage = [&pendingSeparator, &namesSomething, selector](const std::string& imagePath) {
        namesSomething = true;
        return dumpFromImage(imagePath, selector, pendingSeparator);
    };
    const nuk::DirectoryHandler refuse = [&namesSomething, selector](const std::string& directory, nuk::PathHandler) {
        namesSomething = true;
        warnAboutPath(directory + ":" + selector, "': CBM $electors are not supported");
        return std::optional<Msg>();
    };
    std::optional<Msg> problem = nuk::dispatchArgument(path, onImage, refuse);
    if (problem && !namesSomething) {
        warnAboutPath(path + ":" + selector, "': CBM $electors are not supported");
        return std::nullopt;
    }
    return problem;
}

// Directories are named and skipped, never descended into.
std::optional<Msg> skipDirectory(const std::string& path, std::string& pendingSeparator) {
    beginFileOutput(path, pendingSeparator);
    warnAboutPath(path, "': skipping directory");
    return std::nullopt;
}

std::optional<Msg> dumpStdin(nuk::file_t& file) {
    if (Epath.given()) std::cout << nuk::stdinLabel << "\n";
    return dumpFile(file);
}

// Returns the exit status for standard input as the only input.
int processStandardInput() {
    if (nuk::con::isTerminal(std::cin)) {
        nuk::cli::error("missing at least one FILE");
        parser.printUsageLine(std::cerr);
        parser.printTryHelp(std::cerr);
        return 1;
    }
    const auto readAhead = dumpShowsNothing() ? nuk::ReadAhead::nothing : nuk::ReadAhead::firstByte;
    const bool fatal = report(nuk::processStdin(dumpStdin, readAhead));
    noteStandardOutput();
    return fatal ? 1 : 0;
}

int processFileArguments(const std::vector<std::string>& arguments) {
    int exitStatus = 0;
    std::string pendingSeparator;
    const nuk::PathHandler onFile = [&pendingSeparator](const std::string& path) {
        return dumpPath(path, pendingSeparator);
    };
    const nuk::DirectoryHandler onDirectory = [&pendingSeparator](const std::string& path, nuk::PathHandler) {
        return skipDirectory(path, pendingSeparator);
    };
    for (const std::string& argument : arguments) {
        const auto [path, selector] = splitSelector(argument);
        const std::optional<Msg> problem =
            selector.empty() ? nuk::dispatchArgument(path, onFile, onDirectory) : serveSelector(path, selector, pendingSeparator);
        if (report(problem)) exitStatus |= 1;
        noteStandardOutput();
    }
    return exitStatus;
}

}  // namespace

std::pair<std::string, std::string> splitSelector(const std::string& argument) {
    // Only a backslash after a drive letter's colon protects that colon.
    const bool drivePath = argument.size() > 2 && argument[1] == ':' && argument[2] == '\\';
    const auto colon = argument.find(':', drivePath ? 2 : 0);
    if (colon == std::string::npos) return {argument, ""};
    return {argument.substr(0, colon), argument.substr(colon + 1)};
}

int run() {
    const auto finish = [](int exitStatus) {
        restoreColorsIfRequested();
        return confirmStandardOutput(exitStatus);
    };
    applyColorSwitch();
    applyTextMode();
    const std::vector<std::string>& arguments = parser.arguments();
    if (arguments.empty()) return finish(processStandardInput());
    return finish(processFileArguments(arguments));
}
