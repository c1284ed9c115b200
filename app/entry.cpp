// From a parsed command line to an exit code: the short-cut screens in
// their order of precedence (help, command-line errors, version, warranty),
// the verbose/quiet reconciliation, then the run loop.

#include "app/entry.hpp"

#include <iostream>

#include "app/command_line_checks.hpp"
#include "app/info_screens.hpp"
#include "app/options.hpp"
#include "app/output_check.hpp"
#include "app/product.hpp"
#include "app/run.hpp"
#include "cli/message.hpp"
#include "console/console.hpp"

namespace {

// Help wins over everything, including a broken command line, so its errors
// are not even looked at.
int showHelp() {
    parser.printUsage(std::cout);
    if (debug.given()) nuk::con::writeStatus(console, std::cout);
    parser.printHelp(std::cout);
    return confirmStandardOutput(0);
}

// Verbose cancels quiet for the message threshold as well.
int quietLevel() { return verbose.given() && quiet.given() ? 0 : quiet.count; }

// The options that cannot go together, and the values that only the
// program knows to refuse.
std::string programErrors() {
    std::string errors = commandLineErrors(parser, width, {&len, &seek});
    const auto append = [&errors](const std::optional<std::string>& problem) {
        if (problem && !problem->empty()) errors += (errors.empty() ? "" : "\n") + *problem;
    };
    append(pixelsError(pixels));
    append(sourceFormatError(source));
    append(basicWidthError(source, width));
    if (reverse.given()) append(conflicts(reverse, refusedWhenReadingBack()));
    // A listing, written or read back, is a form of its own.
    append(conflicts(list, {&raw, &source}));
    if (reverse.given()) return errors;
    append(exclusionConflicts(outputForms()));
    // The hex column's notation has no column to go to beside the bits or
    // the pixels, and the source format has a notation of its own (but
    // takes upper-case digits); squeezed lines would not give back the
    // bytes. Only the form that stays is checked.
    const nuk::cli::Option* form = firstGiven(outputForms());
    if (form == &bits || form == &pixels) append(conflicts(*form, hexNotationOptions()));
    if (form == &source) append(conflicts(source, {&hex0x, &turbo, &squeeze}));
    return errors;
}

int reportCommandLineErrors(const std::string& errors) {
    nuk::cli::fatal(errors);
    parser.printTryHelp(std::cerr);
    return 1;
}

int showVersion() {
    printVersion(std::cout);
    printCredits(std::cout);
    return confirmStandardOutput(0);
}

int showDisclaimer() {
    printDisclaimer(std::cout);
    return confirmStandardOutput(0);
}

void letVerboseOverrideQuiet() {
    if (!(verbose.given() && quiet.given())) return;
    nuk::cli::warning("verbose mode (" + verbose.givenAs() + ") overrides quiet mode (" + quiet.givenAs() + ").");
    quiet.reset();
}

}  // namespace

int enterProgram(const ParseCommandLine& parseCommandLine) {
    console.attach(std::cout);
    initCommandLine();
    parseCommandLine(parser);
    // Messages name the product, not the path the program was started by;
    // the help screen can fail to be written too.
    nuk::cli::setProgramName(productName);
    if (help.given()) return showHelp();

    nuk::cli::setVerboseLevel(verbose.count);
    nuk::cli::setQuietLevel(quietLevel());
    const std::string errors = programErrors();
    if (!errors.empty()) return reportCommandLineErrors(errors);
    if (version.given()) return showVersion();
    if (warranty.given()) return showDisclaimer();
    letVerboseOverrideQuiet();
    return run();
}
