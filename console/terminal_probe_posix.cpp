#include <unistd.h>

#include "console/platform_seam.hpp"

namespace nuk::con {

bool isTerminalFile(std::FILE* file) { return isatty(fileno(file)) != 0; }

}  // namespace nuk::con
