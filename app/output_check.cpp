#include "app/output_check.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>

#include "cli/message.hpp"

namespace {

int writeError = 0;  // errno of the first failed write; 0 while none is known

bool standardOutputFailed() { return std::cout.fail() || std::ferror(stdout) != 0; }

}  // namespace

void noteStandardOutput() {
    if (writeError == 0 && standardOutputFailed()) writeError = errno;
}

int confirmStandardOutput(int exitCode) {
    noteStandardOutput();
    errno = 0;
    std::cout.flush();
    noteStandardOutput();
    if (std::fflush(stdout) != 0 && writeError == 0) writeError = errno;
    if (!standardOutputFailed()) return exitCode;
    // A failure whose reason got lost still is an input/output error.
    const int reason = writeError != 0 ? writeError : EIO;
    nuk::cli::fatal(std::string("could not write to standard output: ") + std::strerror(reason));
    return 1;
}
