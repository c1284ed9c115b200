// The pieces console text is written in: at most 8192 UTF-16 units, and
// never the first half of a surrogate pair without its second.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "console/windows/console_text.hpp"

namespace nuk::con {
namespace {

std::vector<std::size_t> chunksOf(const std::wstring& text) {
    std::vector<std::size_t> lengths;
    for (std::size_t done = 0; done < text.size(); done += lengths.back())
        lengths.push_back(consoleChunkLength(text, done));
    return lengths;
}

TEST(ConsoleChunks, APieceNeverEndsOnAHighSurrogate) {
    const std::wstring pair = {wchar_t(0xD83D), wchar_t(0xDE00)};  // U+1F600
    const struct {
        std::wstring text;
        std::vector<std::size_t> chunks;
    } cases[] = {
        {std::wstring(8191, L'a') + pair + L"b", {8191, 3}},          // the pair would be cut
        {std::wstring(8190, L'a') + pair + L"b", {8192, 1}},          // the pair ends the piece
        {std::wstring(8191, L'a') + pair, {8191, 2}},                  // ... and the text
        {std::wstring(8191, L'a') + wchar_t(0xD83D), {8192}},        // unpaired at the end
        {std::wstring(20000, L'a'), {8192, 8192, 3616}},
        {L"", {}},
    };
    for (const auto& c : cases) EXPECT_EQ(chunksOf(c.text), c.chunks) << c.text.size();
}

}  // namespace
}  // namespace nuk::con
