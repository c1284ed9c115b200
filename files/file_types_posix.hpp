#pragma once
// What kind of thing a path names, on systems with stat.

#include <string>

namespace nuk {

// A named pipe (also a pipe reached through /dev/fd, as a shell's process
// substitution passes it): read to its end like standard input.
bool isPipe(const std::string& path);

}  // namespace nuk
