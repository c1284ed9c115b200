#pragma once
// What machine and system this binary is built for, as the version screen
// names them ("i386/Linux", "x86_64/Windows"). Decided by the compiler's own
// predefined macros, so a build can only ever name what it really is.

namespace build {

#if defined(__x86_64__) || defined(_M_X64) || defined(__amd64__)
inline const char* const architecture = "x86_64";
#elif defined(__i386__) || defined(_M_IX86)
inline const char* const architecture = "i386";
#elif defined(__aarch64__) || defined(_M_ARM64)
inline const char* const architecture = "aarch64";
#elif defined(__arm__) || defined(_M_ARM)
inline const char* const architecture = "arm";
#elif defined(__riscv) && __riscv_xlen == 64
inline const char* const architecture = "riscv64";
#elif defined(__powerpc64__) && defined(__LITTLE_ENDIAN__)
inline const char* const architecture = "ppc64le";
#elif defined(__powerpc64__)
inline const char* const architecture = "ppc64";
#elif defined(__s390x__)
inline const char* const architecture = "s390x";
#else
inline const char* const architecture = "unknown";
#endif

#if defined(_WIN32)
inline const char* const system = "/Windows";
#elif defined(__linux__)
inline const char* const system = "/Linux";
#else
inline const char* const system = "/unknown";
#endif

}  // namespace build
