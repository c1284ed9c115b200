#include "console/console_string.hpp"

#include <utility>

namespace nuk::con {

// True until a Windows attach finds that standard output is not a console
// in wideConsole mode; the Linux output never reads it.
bool wideConsoleOutput = true;

ConsoleString::ConsoleString(std::string utf8, std::int64_t widthCorrection)
    : narrow_(std::make_shared<const std::string>(std::move(utf8))),
      wide_(false),
      widthCorrection_(widthCorrection) {}

ConsoleString::ConsoleString(std::wstring utf16, std::int64_t widthCorrection)
    : wideText_(std::make_shared<const std::wstring>(std::move(utf16))),
      wide_(true),
      widthCorrection_(widthCorrection) {}

}  // namespace nuk::con
