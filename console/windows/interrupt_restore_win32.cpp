// Ctrl-C and Ctrl-Break on a console in colour put the text attributes saved
// at the start of the run back before the process ends, as the end of a run
// does, so that the prompt does not come back in the text column's colour.

#include <windows.h>

#include "console/console.hpp"

namespace nuk::con {

namespace {

Console* interruptedConsole = nullptr;

// The system calls this on a thread of its own. Returning FALSE hands the
// event on to the default handler, which ends the process as interrupted.
BOOL WINAPI restoreOnBreak(DWORD event) {
    if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && interruptedConsole != nullptr) {
        interruptedConsole->restore();
    }
    return FALSE;
}

}  // namespace

void restoreColorsOnInterrupt(Console& console) {
    if (!console.colorEnabled) return;
    interruptedConsole = &console;
    SetConsoleCtrlHandler(restoreOnBreak, TRUE);
}

}  // namespace nuk::con
