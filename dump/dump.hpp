#pragma once
// The dump: lines of address, hex column and PETSCII text column.
// All address arithmetic is 64-bit so every build prints the same.
//
//   BlockSource -> dump_1_source  the positions shown and their addresses  (dumpFile)
//               -> dump_2_lines   cut into lines of `width` positions      (DumpLines)
//               -> dump_3_line    each line as text, copied from tables    (LineBuilder)
//               -> dump_4_writer  the text gathered in blocks, to `out`    (DumpWriter)
//   DumpSettings (dump_settings.hpp) is the only input besides the bytes.

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "dump/dump_settings.hpp"
#include "cli/message.hpp"
#include "files/file.hpp"

// What a dump calls its input: the path its messages name, and the name that
// C source names its array after. Bytes of no file go without (both empty).
struct InputName {
    std::string directory;  // with its trailing separator, or empty
    std::string name;
};

// Dumps the source as the settings ask to `out`, reading from it only the
// bytes shown (and the load address); returns the message of a read that
// failed, after the bytes read until then. With a `placeLinePrefix`, each
// place the source names (a disk's sector, "@18/1") gets a line of its own,
// that prefix and the place, before the first line of its bytes.
std::optional<nuk::cli::Msg> dumpFile(nuk::BlockSource& source, const InputName& input, const DumpSettings& settings,
                                      std::ostream& out,
                                      const std::optional<std::string>& placeLinePrefix = std::nullopt);

// A file the file layer opened, under its own name.
inline std::optional<nuk::cli::Msg> dumpFile(nuk::file_t& file, const DumpSettings& settings, std::ostream& out,
                                             const std::optional<std::string>& placeLinePrefix = std::nullopt) {
    return dumpFile(*file.source, {file.directory, file.name}, settings, out, placeLinePrefix);
}

// Position i (0 <= i < count) shows data[first + i] at address start + i;
// positions at or past data.size() show as missing.
void dumpBytes(const std::vector<std::uint8_t>& data, std::uint64_t count, std::uint64_t start, std::uint64_t first,
               const LineFormat& format, std::ostream& out);
