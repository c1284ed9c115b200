#pragma once
// Text that may hold non-ASCII characters (paths, the dump's text column,
// help and usage): written as it is on Linux and to redirected output, and as
// UTF-16 to a Windows console whose font can show it.

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>

namespace nuk::con {

class ConsoleString {
public:
    explicit ConsoleString(std::string utf8, std::int64_t widthCorrection = 0);
    explicit ConsoleString(std::wstring utf16, std::int64_t widthCorrection = 0);

    const std::string* narrow() const { return wide_ ? nullptr : narrow_.get(); }
    const std::wstring* wide() const { return wide_ ? wideText_.get() : nullptr; }
    bool isWide() const { return wide_; }
    std::int64_t widthCorrection() const { return widthCorrection_; }

private:
    std::shared_ptr<const std::string> narrow_;
    std::shared_ptr<const std::wstring> wideText_;
    bool wide_ = false;
    std::int64_t widthCorrection_ = 0;
};

std::ostream& operator<<(std::ostream& out, const ConsoleString& text);

// True when text written to the stream as a ConsoleString reaches it in
// another form than its UTF-8 bytes (a Windows console in wideConsole mode).
// Text for any other stream may be written as bytes directly.
bool convertsConsoleText(const std::ostream& out);

// Windows: true while standard output is a console in wideConsole mode.
extern bool wideConsoleOutput;

}  // namespace nuk::con
