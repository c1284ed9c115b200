#pragma once
// The dump: lines of address, hex column and PETSCII text column.
// All address arithmetic is 64-bit so every build prints the same.

#include <cstdint>
#include <optional>
#include <ostream>
#include <vector>

#include "cli/message.hpp"
#include "files/file.hpp"

// Derives first, start, count and width from the options and dumps the file,
// reading from its source only the bytes shown (and the load address);
// returns the message of a read that failed, after the bytes read until then.
std::optional<nuk::cli::Msg> dumpFile(nuk::file_t& file);

// True when the options show no byte of any input (a length of 0): then
// nothing of an input is read, not even to see whether it can be.
bool dumpShowsNothing();

// Position i (0 <= i < count) shows data[first + i] at address start + i;
// positions at or past data.size() show as missing.
void dumpBytes(std::ostream& out, const std::vector<std::uint8_t>& data, std::uint64_t count,
               std::uint64_t width, std::uint64_t start, std::uint64_t first);
