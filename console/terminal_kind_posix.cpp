#include "console/platform_seam.hpp"

namespace nuk::con {

std::string terminalKind() { return "terminal"; }

}  // namespace nuk::con
