// Standard input on Linux: its bytes arrive unchanged as they are.

#include <cstring>

#include "files/standard_input_seam.hpp"

namespace nuk {

std::optional<cli::Msg> prepareStandardInput() { return std::nullopt; }

std::string runtimeErrorText(int errorNumber) { return std::strerror(errorNumber); }

}  // namespace nuk
