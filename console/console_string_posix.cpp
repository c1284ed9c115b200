// On Linux every stream takes UTF-8, so console text goes out as bytes and
// the field width counts bytes, as for any string.

#include <string>

#include "cli/value.hpp"
#include "console/console_string.hpp"

namespace nuk::con {

namespace {

constexpr std::uint32_t replacementCharacter = 0xFFFD;

bool isUnicodeScalar(std::uint32_t codePoint) {
    const bool surrogate = codePoint >= 0xD800 && codePoint <= 0xDFFF;
    return codePoint <= 0x10FFFF && !surrogate;
}

// A Linux wide string holds one code point per element.
std::string utf8FromWide(const std::wstring& wide) {
    std::string utf8;
    utf8.reserve(wide.size());
    for (wchar_t element : wide) {
        const auto codePoint = static_cast<std::uint32_t>(element);
        nuk::appendUtf8(utf8, isUnicodeScalar(codePoint) ? codePoint : replacementCharacter);
    }
    return utf8;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const ConsoleString& text) {
    if (const std::string* narrow = text.narrow()) {
        return out << *narrow;
    }
    if (const std::wstring* wide = text.wide()) {
        return out << utf8FromWide(*wide);
    }
    return out;
}

bool convertsConsoleText(const std::ostream&) { return false; }

}  // namespace nuk::con
