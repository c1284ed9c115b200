# The 32-bit x86 build's tests start its programs directly where the kernel
# runs 32-bit x86 programs (an x86_64 kernel with IA32 emulation, as most
# are): many times faster than under qemu-i386, which the toolchain names for
# the kernels that do not. A program of the toolchain's is built and started
# once to tell; -DHEXLOOM_I386_RUNS_DIRECTLY=OFF keeps qemu-i386.
if(NOT CMAKE_CROSSCOMPILING_EMULATOR OR NOT CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
  return()
endif()

if(NOT DEFINED HEXLOOM_I386_RUNS_DIRECTLY)
  set(probe_dir ${CMAKE_BINARY_DIR}/CMakeFiles/i386-probe)
  file(WRITE ${probe_dir}/probe.cpp "#include <cstdio>\nint main() { std::puts(\"runs\"); }\n")
  try_compile(probe_built ${probe_dir}/build SOURCES ${probe_dir}/probe.cpp COPY_FILE ${probe_dir}/probe)
  set(runs_directly OFF)
  if(probe_built)
    execute_process(COMMAND ${probe_dir}/probe RESULT_VARIABLE probe_status OUTPUT_VARIABLE probe_output
      ERROR_QUIET)
    if(probe_status STREQUAL "0" AND probe_output STREQUAL "runs\n")
      set(runs_directly ON)
    endif()
  endif()
  set(HEXLOOM_I386_RUNS_DIRECTLY ${runs_directly} CACHE BOOL
    "Start the 32-bit test programs directly instead of under ${CMAKE_CROSSCOMPILING_EMULATOR}")
endif()

if(HEXLOOM_I386_RUNS_DIRECTLY)
  message(STATUS "32-bit x86 programs run directly here: the tests start them without ${CMAKE_CROSSCOMPILING_EMULATOR}")
  set(CMAKE_CROSSCOMPILING_EMULATOR "")
else()
  message(STATUS "The tests start the 32-bit x86 programs under ${CMAKE_CROSSCOMPILING_EMULATOR}")
endif()
