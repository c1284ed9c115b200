# cmake -DSOURCE=doc/hexloom.1 -DOUTPUT=build/doc/hexloom.1 -P manual-page.cmake
#
# The manual page as installed and packaged: doc/hexloom.1 with the version
# and the release date of cmake/version.cmake in its title line, where the
# page holds the placeholders @HEXLOOM_VERSION@ and @HEXLOOM_RELEASE_DATE@.
include(${CMAKE_CURRENT_LIST_DIR}/version.cmake)
file(READ ${SOURCE} page)
foreach(placeholder IN ITEMS HEXLOOM_VERSION HEXLOOM_RELEASE_DATE)
  if(NOT page MATCHES "@${placeholder}@")
    message(FATAL_ERROR "${SOURCE} has no @${placeholder}@ in its title line")
  endif()
  string(REPLACE "@${placeholder}@" "${${placeholder}}" page "${page}")
endforeach()
file(WRITE ${OUTPUT} "${page}")
