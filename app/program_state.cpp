// placeholder: process-wide objects
#include "app/options.hpp"
