#pragma once
// The process-wide objects of the program, created during static
// initialisation in one translation unit (program_state.cpp) in this order:
// product constants, console, parser, the twenty-seven options.
// The option objects are the program's settings.

#include <vector>

#include "cli/option.hpp"
#include "cli/parser.hpp"
#include "console/console.hpp"

extern nuk::con::Console console;
extern nuk::cli::Parser parser;

extern nuk::cli::Option help;
extern nuk::cli::Option version;
extern nuk::cli::Option verbose;
extern nuk::cli::Option quiet;
extern nuk::cli::Option warranty;
extern nuk::cli::Option debug;
extern nuk::cli::Option load;
extern nuk::cli::Option start;
extern nuk::cli::Option len;
extern nuk::cli::Option seek;
extern nuk::cli::Option width;
extern nuk::cli::Option squeeze;   // -a/--squeeze
extern nuk::cli::Option hex0x;      // --0x
extern nuk::cli::Option turbo;
extern nuk::cli::Option hexUpper;   // -H/--hex-upper
extern nuk::cli::Option bits;      // --bits: binary digits in place of the hex
extern nuk::cli::Option pixels;    // --pixels[=mc]: the bits drawn
extern nuk::cli::Option color;
extern nuk::cli::Option lowercase;
extern nuk::cli::Option unicode;
extern nuk::cli::Option ascii;
extern nuk::cli::Option Epath;
extern nuk::cli::Option Enewline;
extern nuk::cli::Option raw;
extern nuk::cli::Option source;   // --source=FORMAT: the bytes as source code
extern nuk::cli::Option reverse;  // -r/--reverse: dumps in, bytes out
extern nuk::cli::Option list;     // --list[=D]: BASIC programs as LIST shows them

// The options that shape a dump's lines or choose the bytes it shows.
const std::vector<const nuk::cli::Option*>& dumpShapingOptions();

// The options that each put something else in place of the dump's lines
// or of its hex column: one of them at a time.
const std::vector<const nuk::cli::Option*>& outputForms();

// The options that shape the hex column alone.
const std::vector<const nuk::cli::Option*>& hexNotationOptions();

// Those of the dump-shaping options that reading back (-r) refuses: a listing read back takes
// its load address (-S) and the character set it was written in (-c).
std::vector<const nuk::cli::Option*> refusedWhenReadingBack();

// Registers the options with the parser in help order and sets the usage text.
void initCommandLine();
