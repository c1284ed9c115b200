# The program's version, typed once: the project (and with it the packages
# and the font), and the version screen (HEXLOOM_VERSION, defined for the
# application library) take it from here.
set(HEXLOOM_VERSION 1.2.0)
