#pragma once
// Diagnostics: one line each on standard error, "<program>: <severity>: text",
// filtered by the quiet level.

#include <cstdint>
#include <functional>
#include <ostream>
#include <string>

namespace nuk::cli {

// A note says something the user may want to know about an input that is
// in order; only -v shows notes.
enum Severity : std::int32_t { severityNote = 0, severityWarning = 1, severityError = 2, severityFatal = 3 };

struct Msg {
    std::int32_t severity = severityWarning;
    std::int32_t code = 0;
    std::string text;
    std::function<void(std::ostream&)> writer;  // when set, writes the text instead of `text`

    // Prints the message (when shown); true exactly for fatal severity.
    bool print() const;
    // Prints the body as a warning with the given code; returns false.
    bool printAsWarning(std::int32_t code = 0) const;
};

const char* severityName(std::int32_t severity);

// The text with every control character written as an escape ("\n", "\t",
// "\r", else "\xHH"), for words and paths quoted in a diagnostic: a name
// holding a line break or an escape sequence must neither split the one line
// of its message nor act on the terminal.
std::string oneLine(const std::string& text);
void setProgramName(const std::string& name);
void setQuietLevel(int quietCount);
void setVerboseLevel(int verboseCount);
bool isShown(std::int32_t severity);

// How many warnings and errors have been reported so far, shown or not:
// the count before and after a piece of work tells whether it drew one.
std::uint64_t warningsAndErrorsReported();

bool warning(const std::string& text, std::int32_t code = 0);
bool error(const std::string& text, std::int32_t code = 0);
bool fatal(const std::string& text, std::int32_t code = 0);

}  // namespace nuk::cli
