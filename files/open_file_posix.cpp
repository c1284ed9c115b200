// Opening a FILE for the dump.

#include <fcntl.h>

#include "files/descriptor_source.hpp"

namespace nuk {

int openForReading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }

}  // namespace nuk
