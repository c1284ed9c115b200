#pragma once
// The program name in the usage line and the "Try" hint is a path the user
// typed; the one place that writes it, so a platform can write it its own way.

#include <ostream>
#include <string>

namespace nuk::cli {

void writeProgramName(std::ostream& out, const std::string& programName);

}  // namespace nuk::cli
