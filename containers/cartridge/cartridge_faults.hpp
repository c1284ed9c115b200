#pragma once
// The messages of a damaged cartridge image. Each names the FILE argument
// ("cart.crt:#2") and the place of the CHIP packet in the file, in hex.

#include <cstdint>
#include <string>

#include "cli/message.hpp"

namespace nuk::cartridge {

cli::Msg noChipPacketAt(const std::string& argument, std::uint64_t offset);
cli::Msg chipPacketCutShort(const std::string& argument, std::uint64_t offset);
cli::Msg chipPacketTooShort(const std::string& argument, std::uint64_t offset);
cli::Msg noSuchChip(const std::string& argument);

}  // namespace nuk::cartridge
