// Preloaded into the program (LD_PRELOAD) to make a bad spot in its input:
// once HEXLOOM_FAIL_READ_AFTER bytes of regular files have been read, every
// further read of one fails with EIO. As on a failing disk, the read that
// reaches the spot hands out the bytes before it and the next read fails.

#include <dlfcn.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

namespace {

using ReadFunction = ssize_t (*)(int, void*, size_t);

size_t bytesRead = 0;  // of regular files, so far

}  // namespace

extern "C" ssize_t read(int descriptor, void* into, size_t n) {
    static const auto realRead = reinterpret_cast<ReadFunction>(::dlsym(RTLD_NEXT, "read"));
    static const char* const spot = std::getenv("HEXLOOM_FAIL_READ_AFTER");
    struct stat info;
    if (spot == nullptr || ::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode))
        return realRead(descriptor, into, n);
    const auto badSpot = static_cast<size_t>(std::strtoull(spot, nullptr, 10));
    if (bytesRead >= badSpot) {
        errno = EIO;
        return -1;
    }
    const ssize_t got = realRead(descriptor, into, std::min(n, badSpot - bytesRead));
    if (got > 0) bytesRead += static_cast<size_t>(got);
    return got;
}
