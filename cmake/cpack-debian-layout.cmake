# Runs inside cpack on the files staged for a Debian package, before they are
# packed: gives them the places and forms Debian expects, and works out the C
# library version for a program that depends on nothing else.
set(stage ${CPACK_TEMPORARY_DIRECTORY})

# Debian keeps manual pages compressed; -n leaves the time stamp out, so the
# package does not change when nothing else did.
file(GLOB_RECURSE manual_pages ${stage}/*.1)
list(FILTER manual_pages INCLUDE REGEX "/man/man1/[^/]+\\.1$")
foreach(page IN LISTS manual_pages)
  execute_process(COMMAND gzip -9nf ${page} COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# Debian looks for the licence of a package in doc/<package>/copyright, and
# for the history of a native package in doc/<package>/changelog.gz. The
# copyright file also names the font's licence.
file(GLOB licences ${stage}/*/share/doc/*/LICENSE)
foreach(licence IN LISTS licences)
  get_filename_component(doc_dir ${licence} DIRECTORY)
  file(RENAME ${licence} ${doc_dir}/copyright)
  # The README's link to the licence follows it.
  if(EXISTS ${doc_dir}/README.md)
    file(READ ${doc_dir}/README.md readme)
    string(REPLACE "[LICENSE](LICENSE)" "[copyright](copyright)" readme "${readme}")
    file(WRITE ${doc_dir}/README.md "${readme}")
  endif()
  if(EXISTS ${doc_dir}/HexloomMono-OFL.txt)
    file(READ ${CPACK_HEXLOOM_DEBIAN_DIR}/copyright-font font_copyright)
    file(APPEND ${doc_dir}/copyright "${font_copyright}")
  endif()
  file(COPY_FILE ${CPACK_HEXLOOM_DEBIAN_DIR}/changelog ${doc_dir}/changelog)
  execute_process(COMMAND gzip -9nf ${doc_dir}/changelog COMMAND_ERROR_IS_FATAL ANY)
  # What lintian reports about the package and is so on purpose, with why.
  get_filename_component(share_dir ${doc_dir}/../.. ABSOLUTE)
  file(MAKE_DIRECTORY ${share_dir}/lintian/overrides)
  file(COPY_FILE ${CPACK_HEXLOOM_DEBIAN_DIR}/lintian-overrides ${share_dir}/lintian/overrides/hexloom)
endforeach()

# The font's fontconfig rule is switched on as Debian's font packages do it:
# a link in /etc/fonts/conf.d to the rule in /usr/share/fontconfig/conf.avail.
file(GLOB font_rules RELATIVE ${stage} ${stage}/*/share/fontconfig/conf.avail/*.conf)
foreach(rule IN LISTS font_rules)
  get_filename_component(name ${rule} NAME)
  file(MAKE_DIRECTORY ${stage}/etc/fonts/conf.d)
  file(CREATE_LINK /${rule} ${stage}/etc/fonts/conf.d/${name} SYMBOLIC)
endforeach()

# Stripped as Debian strips its programs: besides the symbols (which cpack
# already removed), the compiler's notes in .comment and .note.
file(GLOB programs ${stage}/*/bin/*)
foreach(program IN LISTS programs)
  execute_process(
    COMMAND ${CPACK_HEXLOOM_STRIP} --remove-section=.comment --remove-section=.note ${program}
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()

# Every symbol version the program needs from the C library is named in it,
# as GLIBC_2.0 up to GLIBC_2.34 or so; the highest one is the oldest C library
# the program runs with.
if(CPACK_HEXLOOM_DEPENDS_ON_LIBC_ONLY)
  file(GLOB programs ${stage}/*/bin/hexloom)
  set(libc_version 0)
  foreach(program IN LISTS programs)
    file(STRINGS ${program} needed REGEX "^GLIBC_[0-9]+(\\.[0-9]+)+$")
    foreach(tag IN LISTS needed)
      string(REPLACE "GLIBC_" "" version ${tag})
      if(version VERSION_GREATER libc_version)
        set(libc_version ${version})
      endif()
    endforeach()
  endforeach()
  if(libc_version)
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= ${libc_version})")
  else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6")
  endif()
endif()
