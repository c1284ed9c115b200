#include <io.h>
#include <windows.h>

#include "console/platform_seam.hpp"

namespace nuk::con {

// The runtime counts every character device as a terminal, the NUL device
// too; only a console answers GetConsoleMode. So `hexloom < NUL` reads an
// empty input, as on Linux, instead of asking for a FILE.
bool isTerminalFile(std::FILE* file) {
    const int descriptor = _fileno(file);
    DWORD mode = 0;
    return _isatty(descriptor) != 0 &&
           GetConsoleMode(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)), &mode) != 0;
}

}  // namespace nuk::con
