#include <string>

#include "console/platform_seam.hpp"
#include "console/windows/windows_console.hpp"

namespace nuk::con {

std::string terminalKind() {
    return "Windows console; codepage:" + std::to_string(consoleSystem().getConsoleOutputCP()) +
           "; TTF font:" + (isConsoleFontTrueType() ? "yes" : "no");
}

}  // namespace nuk::con
