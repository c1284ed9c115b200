// Reading a runtime descriptor on Windows; one read takes at most what an
// unsigned count holds, far more than a block.

#include <io.h>

#include <algorithm>
#include <climits>

#include "files/descriptor_source.hpp"

namespace nuk {

long readDescriptor(int descriptor, std::uint8_t* into, std::size_t n) {
    return _read(descriptor, into, static_cast<unsigned>(std::min<std::size_t>(n, INT_MAX)));
}

void closeDescriptor(int descriptor) { _close(descriptor); }

}  // namespace nuk
