#include <io.h>

#include "console/platform_seam.hpp"

namespace nuk::con {

bool isTerminalFile(std::FILE* file) { return _isatty(_fileno(file)) != 0; }

}  // namespace nuk::con
