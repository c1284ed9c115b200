#pragma once
// One input shown as the machine's LIST shows a BASIC program, the bytes
// after the program's end dumped from their address; an input that is no
// BASIC program is dumped as a program file, after a note.

#include <optional>
#include <ostream>
#include <string>

#include "dump/dump_settings.hpp"
#include "basic/keywords.hpp"
#include "cli/message.hpp"
#include "files/file.hpp"

// dialect: the one named on the command line; otherwise each program's load
// address chooses. `path` names the input in the note.
std::optional<nuk::cli::Msg> listFile(nuk::file_t& file, const std::string& path, const DumpSettings& settings,
                                      std::optional<basic::Dialect> dialect, std::ostream& out);
