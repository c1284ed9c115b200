// The messages of a damaged archive, or of a name it does not hold.

#include "containers/archive/archive_faults.hpp"

#include "files/file_messages.hpp"

namespace nuk::archive {

cli::Msg noSuchFile(const std::string& argument) { return pathMessage(argument, "': no such file in the archive"); }

cli::Msg endsInsideEntry(const std::string& argument, std::uint64_t present, std::uint64_t expected) {
    return pathMessage(argument, "': archive ends inside this file (" + std::to_string(present) + " of " +
                                     std::to_string(expected) + " bytes)");
}

cli::Msg endsInsideDirectory(const std::string& argument) {
    return pathMessage(argument, "': archive ends inside its directory");
}

cli::Msg directoryDamaged(const std::string& argument) {
    return pathMessage(argument, "': archive's directory is damaged");
}

}  // namespace nuk::archive
