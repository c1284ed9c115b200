#include "cli/message.hpp"

#include <iostream>

namespace nuk::cli {

namespace {

// Set once after parsing; the program runs on one thread.
bool notesShown = false;
std::string messageName;
std::int32_t messageThreshold = 0;
// Counted as they are reported.
std::uint64_t belowFatalCount = 0;

// "<name>: <severity>: {code} text", ending the line and flushing, so a
// diagnostic is out before anything the program does next.
void writeMessage(std::int32_t severity, std::int32_t code, const Msg& body) {
    std::ostream& out = std::cerr;
    out << messageName << ": " << severityName(severity) << ": ";
    // Decimal whatever base an earlier writer left the stream in.
    if (code != 0) out << '{' << std::to_string(code) << "} ";
    if (body.writer) {
        body.writer(out);
    } else {
        out << body.text;
    }
    out << std::endl;
}

void printIfShown(std::int32_t severity, std::int32_t code, const Msg& body) {
    if (severity < severityFatal) ++belowFatalCount;
    if (isShown(severity)) writeMessage(severity, code, body);
}

}  // namespace

// A note is no warning: nothing that counts or weighs warnings sees it.
bool Msg::print() const {
    if (severity == severityNote) {
        if (notesShown) writeMessage(severity, code, *this);
        return false;
    }
    printIfShown(severity, code, *this);
    return severity > severityError;
}

bool Msg::printAsWarning(std::int32_t codeToPrint) const {
    printIfShown(severityWarning, codeToPrint, *this);
    return false;
}

std::string oneLine(const std::string& text) {
    static const char hexDigits[] = "0123456789abcdef";
    std::string line;
    line.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            line += c;
        } else if (c == '\n') {
            line += "\\n";
        } else if (c == '\t') {
            line += "\\t";
        } else if (c == '\r') {
            line += "\\r";
        } else {
            line += "\\x";
            line += hexDigits[byte >> 4];
            line += hexDigits[byte & 15];
        }
    }
    return line;
}

const char* severityName(std::int32_t severity) {
    switch (severity) {
    case severityNote: return "note";
    case severityWarning: return "warning";
    case severityError: return "error";
    case severityFatal: return "fatal";
    default: return "undef";
    }
}

void setProgramName(const std::string& name) { messageName = name; }

void setQuietLevel(int quietCount) { messageThreshold = quietCount > 0 ? quietCount - 1 : 0; }

void setVerboseLevel(int verboseCount) { notesShown = verboseCount > 0; }

bool isShown(std::int32_t severity) { return severity == severityNote ? notesShown : messageThreshold < severity; }

std::uint64_t warningsAndErrorsReported() { return belowFatalCount; }

bool warning(const std::string& text, std::int32_t code) {
    Msg{severityWarning, code, text, {}}.print();
    return false;
}

bool error(const std::string& text, std::int32_t code) {
    Msg{severityError, code, text, {}}.print();
    return true;
}

bool fatal(const std::string& text, std::int32_t code) { return Msg{severityFatal, code, text, {}}.print(); }

}  // namespace nuk::cli
