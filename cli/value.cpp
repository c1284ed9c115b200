// placeholder: integer notation
#include "cli/value.hpp"
