#pragma once
// The run loop over the FILE arguments (or standard input).

// Dumps every FILE argument (or standard input); returns the exit status.
int run();
