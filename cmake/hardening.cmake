# The Linux programs are built with the hardening the distribution builds its
# own packages with: fortified string and memory functions, stack protector,
# read-only relocations and immediate binding. dpkg-buildflags names the flags
# (all of its hardening features on) where it is installed; elsewhere the ones
# it names on Debian 12 are used. Only the hardening flags are taken from it,
# not its -O2 and -g: the optimisation stays the build type's.
#
# Fortification needs an optimised build, so Debug builds go without it. The
# sanitizer builds go without hardening; the Windows build has none of these.
if(WIN32 OR HEXLOOM_SANITIZE)
  return()
endif()

set(hexloom_hardening_compile -D_FORTIFY_SOURCE=2 -fstack-protector-strong)
set(hexloom_hardening_link -Wl,-z,relro -Wl,-z,now)

find_program(HEXLOOM_DPKG_BUILDFLAGS dpkg-buildflags)
mark_as_advanced(HEXLOOM_DPKG_BUILDFLAGS)
if(HEXLOOM_DPKG_BUILDFLAGS)
  # hexloom_buildflags(VARIABLE FLAGS PATTERN): the words of dpkg-buildflags'
  # FLAGS that match PATTERN.
  function(hexloom_buildflags variable flags pattern)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
        ${HEXLOOM_DPKG_BUILDFLAGS} --get ${flags}
      OUTPUT_VARIABLE words OUTPUT_STRIP_TRAILING_WHITESPACE
      RESULT_VARIABLE status ERROR_QUIET)
    separate_arguments(words UNIX_COMMAND "${words}")
    list(FILTER words INCLUDE REGEX "${pattern}")
    if(status EQUAL 0 AND words)
      set(${variable} ${words} PARENT_SCOPE)
    endif()
  endfunction()
  hexloom_buildflags(from_cppflags CPPFLAGS "^-D_FORTIFY_SOURCE=")
  hexloom_buildflags(from_cxxflags CXXFLAGS "^-f(stack-protector|stack-clash-protection|cf-protection)")
  hexloom_buildflags(hexloom_hardening_link LDFLAGS "^-Wl,-z,")
  if(from_cppflags AND from_cxxflags)
    set(hexloom_hardening_compile ${from_cppflags} ${from_cxxflags})
  endif()
endif()

set(optimised $<CONFIG:Release,RelWithDebInfo,MinSizeRel>)
add_compile_options("$<${optimised}:${hexloom_hardening_compile}>")
add_link_options("$<${optimised}:${hexloom_hardening_link}>")
message(STATUS "Hardening of optimised builds: ${hexloom_hardening_compile} ${hexloom_hardening_link}")
