// Reading, seeking and sizing a descriptor on Linux.

#include <algorithm>
#include <cerrno>
#include <iterator>

#include <linux/magic.h>
#include <sys/stat.h>
#include <sys/vfs.h>
#include <unistd.h>

#include "files/descriptor_source.hpp"

namespace nuk {

namespace {

// File systems whose files the kernel makes up when they are read: procfs
// reports a size of 0 for files full of text, sysfs a page for a few bytes.
// Their sizes are no promise, so their files are read to their end.
bool onPseudoFileSystem(int descriptor) {
    static constexpr long kinds[] = {PROC_SUPER_MAGIC, SYSFS_MAGIC,        DEBUGFS_MAGIC,      TRACEFS_MAGIC,
                                     SECURITYFS_MAGIC, CGROUP_SUPER_MAGIC, CGROUP2_SUPER_MAGIC};
    struct statfs system;
    if (::fstatfs(descriptor, &system) != 0) return false;
    return std::find(std::begin(kinds), std::end(kinds), static_cast<long>(system.f_type)) != std::end(kinds);
}

}  // namespace

long readDescriptor(int descriptor, std::uint8_t* into, std::size_t n) {
    for (;;) {
        const ssize_t got = ::read(descriptor, into, n);
        if (got >= 0 || errno != EINTR) return static_cast<long>(got);
    }
}

void closeDescriptor(int descriptor) { ::close(descriptor); }

// A size of 0 promises nothing either: an empty file reads the same as a
// stream that ends at once.
std::optional<std::uint64_t> storedSize(int descriptor) {
    struct stat info;
    if (::fstat(descriptor, &info) != 0 || !S_ISREG(info.st_mode) || info.st_size <= 0) return std::nullopt;
    if (onPseudoFileSystem(descriptor)) return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

std::optional<std::uint64_t> descriptorOffset(int descriptor) {
    const off_t offset = ::lseek(descriptor, 0, SEEK_CUR);
    if (offset < 0) return std::nullopt;
    return static_cast<std::uint64_t>(offset);
}

bool seekDescriptor(int descriptor, std::uint64_t offset) {
    return ::lseek(descriptor, static_cast<off_t>(offset), SEEK_SET) >= 0;
}

}  // namespace nuk
