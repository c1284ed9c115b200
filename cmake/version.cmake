# The program's version and the day it was released, typed once: the project
# (and with it the packages and the font), the version screen (HEXLOOM_VERSION,
# defined for the application library) and the manual page's title line
# (cmake/manual-page.cmake) take them from here. What a release edits by hand
# besides: doc/DEVELOPING.md, "Making a release".
set(HEXLOOM_VERSION 1.2.0)
set(HEXLOOM_RELEASE_DATE 2025-03-31)
