#include "cli/program_name_output.hpp"

namespace nuk::cli {

void writeProgramName(std::ostream& out, const std::string& programName) { out << programName; }

}  // namespace nuk::cli
