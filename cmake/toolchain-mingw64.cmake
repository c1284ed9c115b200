# The 64-bit x86 Windows deliverable, cross-built with mingw-w64 and run under Wine.
#
# The -posix flavour of the compiler is used because the default one has no
# std::mutex, which GoogleTest needs. Every executable is linked statically,
# so the program (and each test program) imports only KERNEL32 and msvcrt
# and runs under Wine without any runtime DLL beside it.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")

set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Debian installs the 64-bit loader outside PATH.
find_program(HEXLOOM_WINE64 NAMES wine64 PATHS /usr/lib/wine /usr/lib64/wine NO_CMAKE_FIND_ROOT_PATH)
if(HEXLOOM_WINE64)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${HEXLOOM_WINE64})
endif()
