// Ctrl-C and Ctrl-Break on a console in colour put the text attributes saved
// at the start of the run back before the process ends, as the end of a run
// does, so that the prompt does not come back in the text column's colour.

#include <windows.h>

#include "console/console.hpp"
#include "console/windows/console_system.hpp"

namespace nuk::con {

namespace {

Console* interruptedConsole = nullptr;

// The system calls this on a thread of its own, while the program's thread
// may be writing in colour. The output lock waits for a write in progress
// and is held until the process is gone, so no colour comes back after the
// restore; the process ends as the default handler ends it. Other events go
// on to the default handler.
BOOL WINAPI restoreOnBreak(DWORD event) {
    if ((event == CTRL_C_EVENT || event == CTRL_BREAK_EVENT) && interruptedConsole != nullptr) {
        consoleSystem().lockOutput();
        interruptedConsole->restore();
        ExitProcess(STATUS_CONTROL_C_EXIT);
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
