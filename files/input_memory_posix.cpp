// Room for a whole input on Linux.

#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>

#include "files/byte_store.hpp"

namespace nuk {

namespace {

// Below this, the few page faults cost less than the request.
constexpr std::size_t prefaultedInput = 1024 * 1024;

}  // namespace

void reserveForInput(Bytes& data, std::size_t size) {
    data.reserve(size);
    if (size < prefaultedInput) return;
    const auto page = static_cast<std::uintptr_t>(::sysconf(_SC_PAGESIZE));
    const auto begin = reinterpret_cast<std::uintptr_t>(data.data());
    const std::uintptr_t first = (begin + page - 1) & ~(page - 1);
    const std::uintptr_t end = (begin + size) & ~(page - 1);
    // A kernel that does not know the request refuses it, and the pages
    // then come one fault at a time as before.
    if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_POPULATE_WRITE);
}

}  // namespace nuk
