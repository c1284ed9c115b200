// The messages of a damaged tape, or of a file it does not hold.

#include "containers/tape/tape_faults.hpp"

#include "files/file_messages.hpp"

namespace nuk::tape {

namespace {

// "12.3 s (pulse 4567)": tenths of a second at the clock of the machine
// that recorded the tape, and the pulse's number counting from 1.
std::string place(const TapHeader& header, const TapePosition& at) {
    const std::uint64_t tenths = at.cycles * 10 / header.clockRate();
    return std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s (pulse " +
           std::to_string(at.pulse + 1) + ")";
}

const char* whatWentWrong(DamageKind kind) {
    switch (kind) {
    case DamageKind::parity: return "parity error";
    case DamageKind::unreadable: return "unreadable pulses";
    case DamageKind::checksum: return "checksum error";
    default: return "too few bytes";
    }
}

}  // namespace

cli::Msg noSuchFile(const std::string& argument) { return pathMessage(argument, "': no such file on the tape"); }

cli::Msg noFileInRomFormat(const std::string& argument) {
    return pathMessage(argument, "': tape holds no file in the ROM loader's format");
}

cli::Msg endsInsideHeader(const std::string& argument) {
    return pathMessage(argument, "': TAP file ends inside its header");
}

cli::Msg unknownVersion(const std::string& argument, unsigned version) {
    return pathMessage(argument, "': TAP version " + std::to_string(version) + " is not known");
}

cli::Msg c16TapeNotDecoded(const std::string& argument) {
    return pathMessage(argument, "': a C16 or Plus/4 tape, whose format is not decoded");
}

cli::Msg tapeDamaged(const std::string& argument, const TapHeader& header, const Damage& damage, BlockRole role) {
    const std::string block = role == BlockRole::header ? "header" : "data";
    const std::string copies =
        damage.repeated ? " in both copies of the " + block : " in the " + block + "'s only copy";
    return pathMessage(argument, "': tape damaged at " + place(header, damage.at) + ": " +
                                     whatWentWrong(damage.kind) + copies);
}

cli::Msg noDataBlock(const std::string& argument, const TapHeader& header, const TapePosition& afterHeader) {
    return pathMessage(argument,
                       "': tape damaged at " + place(header, afterHeader) + ": no data block after the header");
}

cli::Msg pulsesLeft(const std::string& argument, const TapHeader& header, std::uint64_t pulses,
                    const TapePosition& from) {
    return pathMessage(argument,
                       "': " + std::to_string(pulses) + (pulses == 1 ? " pulse" : " pulses") + " from " +
                           place(header, from) + " to the end " + (pulses == 1 ? "is" : "are") +
                           " in no format hexloom reads",
                       cli::severityNote);
}

}  // namespace nuk::tape
