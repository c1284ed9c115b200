# What `cmake --install` puts beside the program (which app/ installs to bin/).
#
# Linux gets the usual Unix layout under the prefix: the manual page, the
# completions where bash, zsh and fish look for them, and the licence and
# README under share/doc/hexloom. Windows gets README.md and LICENSE at the
# top of the prefix; the zip package moves the program up beside them.
include(GNUInstallDirs)

if(WIN32)
  install(FILES README.md LICENSE DESTINATION .)
else()
  install(FILES doc/hexloom.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES completions/hexloom.bash
    DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
    RENAME hexloom)
  install(FILES completions/_hexloom
    DESTINATION ${CMAKE_INSTALL_DATADIR}/zsh/vendor-completions)
  install(FILES completions/hexloom.fish
    DESTINATION ${CMAKE_INSTALL_DATADIR}/fish/vendor_completions.d)
  install(FILES README.md LICENSE
    DESTINATION ${CMAKE_INSTALL_DOCDIR})
endif()
