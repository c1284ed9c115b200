// Cutting console text into the pieces one console write takes.

#include <algorithm>

#include "console/windows/console_text.hpp"

namespace nuk::con {

namespace {

constexpr std::size_t mostUnitsPerWrite = 8192;

bool isHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

}  // namespace

std::size_t consoleChunkLength(const std::wstring& text, std::size_t done) {
    const std::size_t length = std::min(mostUnitsPerWrite, text.size() - done);
    // A high surrogate alone (unpaired, at the very end) still goes out.
    if (length > 1 && done + length < text.size() && isHighSurrogate(text[done + length - 1])) return length - 1;
    return length;
}

}  // namespace nuk::con
