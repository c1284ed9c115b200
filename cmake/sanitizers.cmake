# HEXLOOM_SANITIZE=ON builds everything (program, libraries, tests) with
# AddressSanitizer and UndefinedBehaviorSanitizer. Undefined behaviour stops
# the program like a memory error does, so a test that triggers it fails
# instead of printing a report and passing.
option(HEXLOOM_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

if(HEXLOOM_SANITIZE)
  if(WIN32)
    message(FATAL_ERROR "HEXLOOM_SANITIZE is for the Linux builds")
  endif()
  set(hexloom_sanitizer_flags -fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer)
  # Optimised as the sanitizers are meant to be run, at -O1 (which wins over
  # the build type's -O3, coming after it): it compiles in two thirds of the
  # time, and the tests under the sanitizers start the program far more
  # often than they make it compute.
  add_compile_options(${hexloom_sanitizer_flags} -O1)
  add_link_options(${hexloom_sanitizer_flags})

  # The golden harness starts the program with a fixed environment, so the
  # sanitizer settings travel inside every program rather than in
  # ASAN_OPTIONS. Added to each executable once all of them are defined.
  function(hexloom_add_sanitizer_defaults directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    foreach(target IN LISTS targets)
      get_target_property(type ${target} TYPE)
      if(type STREQUAL "EXECUTABLE")
        target_sources(${target} PRIVATE ${PROJECT_SOURCE_DIR}/tests/reliability/sanitizer_defaults.cpp)
      endif()
    endforeach()
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
      hexloom_add_sanitizer_defaults(${subdirectory})
    endforeach()
  endfunction()
  cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL hexloom_add_sanitizer_defaults ${PROJECT_SOURCE_DIR})
endif()
