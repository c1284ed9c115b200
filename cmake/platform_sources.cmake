# Collects the sources of one subsystem directory for the platform being built.
#
# Shared code lives directly in the directory. Code that only the Linux build
# uses ends in _posix.cpp; code that only the Windows build uses lives in the
# windows/ sub-directory. There, a file ending in _win32.cpp is where the
# console layer calls the system itself: the Windows build takes it like every
# other file of windows/, while the console tests (tests/unit/windows) leave
# it out and supply scripted stand-ins for those calls.
function(hexloom_platform_sources out_var dir)
  file(GLOB shared CONFIGURE_DEPENDS ${dir}/*.cpp)
  file(GLOB posix CONFIGURE_DEPENDS ${dir}/*_posix.cpp)
  list(REMOVE_ITEM shared ${posix} "")
  if(WIN32)
    file(GLOB windows CONFIGURE_DEPENDS ${dir}/windows/*.cpp)
    set(${out_var} ${shared} ${windows} PARENT_SCOPE)
  else()
    set(${out_var} ${shared} ${posix} PARENT_SCOPE)
  endif()
endfunction()
