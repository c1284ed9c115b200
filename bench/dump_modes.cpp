#include "bench/dump_modes.hpp"

#include "bench/byte_source.hpp"

namespace bench {

ModeScope::ModeScope(const DumpMode& mode)
    : savedTextMode_(console.mode), savedColor_(console.colorEnabled)
{
    setFlag(hex0x, mode.hex0x);
    setFlag(turbo, mode.turbo);
    setFlag(hexUpper, mode.hexUpper);
    setFlag(lowercase, mode.lowercase);
    console.mode = mode.textMode;
    console.colorEnabled = mode.color;
}

ModeScope::~ModeScope()
{
    for (const SavedFlag& flag : saved_)
        flag.option->nameAsGiven = flag.nameAsGiven;
    console.mode = savedTextMode_;
    console.colorEnabled = savedColor_;
}

// An option counts as given when the parser recorded the name it was given by.
void ModeScope::setFlag(nuk::cli::Option& option, bool on)
{
    saved_.push_back({&option, option.nameAsGiven});
    option.nameAsGiven = on ? option.longName : std::string();
}

std::vector<std::uint8_t> randomBytes(std::size_t n, std::uint64_t seed)
{
    std::vector<std::uint8_t> bytes(n);
    ByteSource(seed).fill(bytes.data(), n);
    return bytes;
}

}  // namespace bench
