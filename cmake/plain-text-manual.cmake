# cmake -DGROFF=groff -DPAGE=doc/hexloom.1 -DOUTPUT=MANUAL.txt -P plain-text-manual.cmake
#
# Renders the manual page as plain US-ASCII text with Windows line endings,
# for the Windows zip: a page that Notepad opens, without man or groff, and
# without words split at line ends.
execute_process(
  COMMAND ${GROFF} -man -Tascii -P-cbou -rHY=0 -ww ${PAGE}
  OUTPUT_VARIABLE text
  ERROR_VARIABLE warnings
  RESULT_VARIABLE status)
if(NOT status EQUAL 0 OR warnings)
  message(FATAL_ERROR "groff could not render ${PAGE}: ${warnings}")
endif()
string(REPLACE "\n" "\r\n" text "${text}")
file(WRITE ${OUTPUT} "${text}")
