// Settings of the sanitizer runtime, linked into every program of a
// HEXLOOM_SANITIZE build. Leaks count as failures; a report ends the program
// with a status no test expects; undefined behaviour shows where it happened.

extern "C" const char* __asan_default_options() { return "detect_leaks=1:exitcode=99:strict_string_checks=1"; }

extern "C" const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }
