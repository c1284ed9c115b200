# Packages made by `cpack` in a build tree (packaging/make-packages.sh runs it
# for every target): a Debian package for each Linux build, named after its
# Debian architecture (i386 for the 32-bit build, amd64 for a native x86_64
# build), and a .zip for the Windows build.
set(CPACK_PACKAGE_NAME hexloom)
set(CPACK_PACKAGE_VENDOR Norvane)
set(CPACK_PACKAGE_CONTACT Norvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "hex dumper for Commodore 8-bit data with a PETSCII text column")
# The long description as Debian shows it: lines of at most 80 characters.
string(JOIN "\n" CPACK_PACKAGE_DESCRIPTION
  "hexloom prints files as lines of an address, the byte values in"
  "hexadecimal and a text column that shows every byte as the PETSCII"
  "character a Commodore 8-bit machine would display for it: as Unicode,"
  "with private-use code points for the machine's own glyphs, or as US-ASCII."
  "It opens the machine's containers and dumps or lists the files inside:"
  "disk images (D64, D71, D81, D80, D82) and GCR images (G64, G71), T64,"
  "PC64 and Lynx archives, CRT cartridges and TAP tapes, and it dumps a"
  "disk's sectors below its files. It lists BASIC programs and directories"
  "as the machine does, shows bytes as bits or as pixels, writes them as"
  "source code for several assemblers, C or BASIC, and reads its dumps back"
  "into bytes. It knows the load address of PRG files, both character sets"
  "of the machine, three hexadecimal notations and ANSI colour.")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/cpack-zip-layout.cmake)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)

  # Name the architecture of the build, not the one of the machine packing it:
  # the 32-bit build is packed on an x86_64 host.
  if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(i[3-6]86|x86)$")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE i386)
  elseif(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|amd64)$")
    set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
  endif()

  # A program linked with -static-libstdc++ -static-libgcc needs nothing but
  # the C library; dpkg-shlibdeps cannot be asked about it on an x86_64 host
  # (it would name the host's 32-bit compatibility package), so the C library
  # version is read from the program itself while packing.
  if(CMAKE_EXE_LINKER_FLAGS MATCHES "-static-libstdc\\+\\+")
    set(CPACK_HEXLOOM_DEPENDS_ON_LIBC_ONLY ON)
  else()
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  endif()
  set(CPACK_HEXLOOM_DEBIAN_DIR ${CMAKE_SOURCE_DIR}/packaging/debian)
  # The fontconfig caches are made anew when the font's rule comes or goes
  # (see the scripts).
  set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA
    ${CPACK_HEXLOOM_DEBIAN_DIR}/postinst ${CPACK_HEXLOOM_DEBIAN_DIR}/postrm)
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_HEXLOOM_STRIP ${CMAKE_STRIP})
  set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/cpack-debian-layout.cmake)
endif()

include(CPack)
