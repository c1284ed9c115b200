# What `cmake --install` puts beside the program (which app/ installs to bin/).
#
# Linux gets the usual Unix layout under the prefix: the manual page, the
# completions where bash, zsh and fish look for them, and the licence, the
# README and the sample program under share/doc/hexloom. Windows gets what a
# Windows user reads, with Windows line endings, at the top of the prefix: a
# README of its own, the licence and the manual page as plain text, and the
# sample program in examples\; the zip package moves the program up beside them.
include(GNUInstallDirs)

# The manual page with the version and release date in its title line,
# made in the build tree (doc/hexloom.1) whenever the page or the version
# changes; it is the page that is installed, packaged and rendered as MANUAL.txt.
set(manual_page ${CMAKE_BINARY_DIR}/doc/hexloom.1)
add_custom_command(OUTPUT ${manual_page}
  COMMAND ${CMAKE_COMMAND} -DSOURCE=${CMAKE_SOURCE_DIR}/doc/hexloom.1 -DOUTPUT=${manual_page}
    -P ${CMAKE_SOURCE_DIR}/cmake/manual-page.cmake
  DEPENDS doc/hexloom.1 cmake/manual-page.cmake cmake/version.cmake
  COMMENT "Writing the version into the manual page")
add_custom_target(manual_page ALL DEPENDS ${manual_page})

if(WIN32)
  set(windows_docs ${CMAKE_BINARY_DIR}/windows-docs)
  configure_file(packaging/windows/README.txt ${windows_docs}/README.txt @ONLY NEWLINE_STYLE CRLF)
  file(READ LICENSE licence)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS LICENSE)
  string(REPLACE "\n" "\r\n" licence "${licence}")
  file(WRITE ${windows_docs}/LICENSE.txt "${licence}")
  install(FILES ${windows_docs}/README.txt ${windows_docs}/LICENSE.txt DESTINATION .)

  # The manual is rendered by groff, which the cross build only needs for it.
  find_program(HEXLOOM_GROFF groff)
  if(HEXLOOM_GROFF)
    add_custom_command(OUTPUT ${windows_docs}/MANUAL.txt
      COMMAND ${CMAKE_COMMAND} -DGROFF=${HEXLOOM_GROFF} -DPAGE=${manual_page}
        -DOUTPUT=${windows_docs}/MANUAL.txt -P ${CMAKE_SOURCE_DIR}/cmake/plain-text-manual.cmake
      DEPENDS ${manual_page} cmake/plain-text-manual.cmake
      COMMENT "Rendering the manual page as MANUAL.txt")
    add_custom_target(windows_manual ALL DEPENDS ${windows_docs}/MANUAL.txt)
    install(FILES ${windows_docs}/MANUAL.txt DESTINATION .)
  else()
    message(STATUS "groff not found: the Windows install gets no MANUAL.txt")
  endif()
  install(FILES samples/hello.prg DESTINATION examples)
else()
  install(FILES ${manual_page}
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES completions/hexloom.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
    RENAME hexloom)
  install(FILES completions/_hexloom
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
  install(FILES completions/hexloom.fish
    DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
  # The README as installed: its pictures beside it, and its links to the
  # developer's guide, which stays with the sources, as plain text.
  file(READ README.md readme)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/README.md)
  string(REGEX REPLACE "\\[doc/DEVELOPING\\.md\\]\\(doc/DEVELOPING\\.md\\)"
    "doc/DEVELOPING.md of the sources" readme "${readme}")
  string(REGEX REPLACE "\\[([^]]*)\\]\\(doc/DEVELOPING\\.md[^)]*\\)"
    "\\1 in doc/DEVELOPING.md of the sources" readme "${readme}")
  file(WRITE ${CMAKE_BINARY_DIR}/installed-docs/README.md "${readme}")
  install(FILES ${CMAKE_BINARY_DIR}/installed-docs/README.md LICENSE
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
  install(FILES doc/colour-dump.png doc/hexloom-font-chart.png
    DESTINATION ${CMAKE_INSTALL_DOCDIR}/doc)
  install(FILES samples/hello.prg
    DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)
endif()
