// placeholder: the stream table is built here
#include "console/console.hpp"
