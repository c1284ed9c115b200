#pragma once
// Standard output that could not be written must never end in success.
// A failed write leaves std::cout bad; the system's reason (errno) is only
// valid right after the failure, so it is taken as soon as the program
// notices, and reported once at the end.

// Records the reason if standard output has just gone bad.
void noteStandardOutput();

// Flushes standard output; if anything could not be written, prints the
// fatal message and returns 1, otherwise returns exitCode.
int confirmStandardOutput(int exitCode);
