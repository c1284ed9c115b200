# The 32-bit x86 Linux deliverable, built with g++ -m32 (g++-multilib).
# Its tests go through qemu-i386 where the kernel does not run 32-bit programs
# directly (cmake/i386_test_runner.cmake tells).
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR i386)
set(CMAKE_C_COMPILER gcc)
set(CMAKE_CXX_COMPILER g++)
set(CMAKE_C_FLAGS_INIT "-m32 -D_FILE_OFFSET_BITS=64")
set(CMAKE_CXX_FLAGS_INIT "-m32 -D_FILE_OFFSET_BITS=64")
# Sections nothing refers to are dropped: the static C++ runtime brings
# std::random_device along with its strings, and with it calls of arc4random
# (C library 2.36) and of the 32-bit open, which the program never makes.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-m32 -static-libstdc++ -static-libgcc -Wl,--gc-sections")
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-i386)
set(CMAKE_LIBRARY_ARCHITECTURE i386-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
