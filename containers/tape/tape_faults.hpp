#pragma once
// The messages of a TAP file that is damaged, holds nothing hexloom reads,
// or does not hold the file asked for. Each names the FILE argument
// ("game.tap:GAME") in the file layer's "'" + argument + "': ..." form; a
// place on the tape is given in seconds from the first pulse and as the
// pulse's number.

#include <cstdint>
#include <string>

#include "cli/message.hpp"
#include "containers/tape/rom_tape_format.hpp"
#include "containers/tape/tap_file.hpp"

namespace nuk::tape {

// What a damaged block held: a file's header or its data.
enum class BlockRole { header, data };

cli::Msg noSuchFile(const std::string& argument);
cli::Msg noFileInRomFormat(const std::string& argument);
cli::Msg endsInsideHeader(const std::string& argument);
cli::Msg unknownVersion(const std::string& argument, unsigned version);
cli::Msg c16TapeNotDecoded(const std::string& argument);
cli::Msg tapeDamaged(const std::string& argument, const TapHeader& header, const Damage& damage, BlockRole role);
cli::Msg noDataBlock(const std::string& argument, const TapHeader& header, const TapePosition& afterHeader);
// A note: what is left after the last file, in no format hexloom reads.
cli::Msg pulsesLeft(const std::string& argument, const TapHeader& header, std::uint64_t pulses,
                    const TapePosition& from);

}  // namespace nuk::tape
