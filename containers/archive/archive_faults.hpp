#pragma once
// The messages of an archive (a T64, a PC64 file, a Lynx archive) that is
// damaged or names nothing. Each names the FILE argument ("games.t64:GAME")
// in the file layer's "'" + argument + "': ..." form.

#include <cstdint>
#include <string>

#include "cli/message.hpp"

namespace nuk::archive {

cli::Msg noSuchFile(const std::string& argument);
// The file stops before the entry does: `present` of its `expected` bytes are there.
cli::Msg endsInsideEntry(const std::string& argument, std::uint64_t present, std::uint64_t expected);
cli::Msg endsInsideDirectory(const std::string& argument);
cli::Msg directoryDamaged(const std::string& argument);

}  // namespace nuk::archive
