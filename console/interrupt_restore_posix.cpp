// An interrupted colour dump must not leave the terminal in the colour of the
// text column. SIGINT, SIGQUIT, SIGTERM and SIGHUP first write the reset that
// the end of a run writes, then end the process by the same signal, so that
// whoever started it still sees it killed by that signal.

#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include "console/ansi_escapes.hpp"
#include "console/console.hpp"

namespace nuk::con {

namespace {

constexpr int interruptSignals[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP};

constexpr std::size_t resetLength = std::char_traits<char>::length(resetEscape);

// Runs in a signal handler: nothing but async-signal-safe calls.
void writeReset() {
    const char* next = resetEscape;
    std::size_t left = resetLength;
    while (left > 0) {
        const ssize_t written = write(STDOUT_FILENO, next, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) return;
        next += written;
        left -= static_cast<std::size_t>(written);
    }
}

// SA_RESETHAND has put the default action back; the signal is blocked while
// its handler runs, so it is unblocked to take effect at once.
void resetAndEnd(int signalNumber) {
    writeReset();
    sigset_t own;
    sigemptyset(&own);
    sigaddset(&own, signalNumber);
    sigprocmask(SIG_UNBLOCK, &own, nullptr);
    raise(signalNumber);
}

// A signal ignored by whoever started the program (nohup, a background job
// of a shell) stays ignored.
bool ignoredAtStart(int signalNumber) {
    struct sigaction current {};
    return sigaction(signalNumber, nullptr, &current) == 0 && current.sa_handler == SIG_IGN;
}

}  // namespace

void restoreColorsOnInterrupt(Console& console) {
    if (!console.colorEnabled || !console.ansiCapable) return;
    struct sigaction action {};
    action.sa_handler = resetAndEnd;
    action.sa_flags = SA_RESETHAND;
    // One reset is enough when a second signal follows the first.
    sigemptyset(&action.sa_mask);
    for (const int signalNumber : interruptSignals) sigaddset(&action.sa_mask, signalNumber);
    for (const int signalNumber : interruptSignals) {
        if (!ignoredAtStart(signalNumber)) sigaction(signalNumber, &action, nullptr);
    }
}

}  // namespace nuk::con
