# cmake -DGROFF=groff -DPAGE=build/doc/hexloom.1 -DOUTPUT=MANUAL.txt -P plain-text-manual.cmake
#
# Renders the manual page as plain US-ASCII text with Windows line endings,
# for the Windows zip: a page that Notepad opens, without man or groff, and
# without words split at line ends. The page's examples are rendered in
# their Command Prompt form (register windows).
execute_process(
  COMMAND ${GROFF} -man -Tascii -P-cbou -rHY=0 -rwindows=1 -ww ${PAGE}
  OUTPUT_VARIABLE text
  ERROR_VARIABLE warnings
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR warnings)
  message(FATAL_ERROR "groff could not render ${PAGE}: ${warnings}")
endif()
# groff sets the header and footer lines apart with several empty lines, as
# on a printed page; on screen one is enough, as man shows it.
string(REGEX REPLACE "\n\n\n+" "\n\n" text "${text}")
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
