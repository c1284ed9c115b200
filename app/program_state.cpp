// The process-wide objects of the program. They live in this one translation
// unit so that they are built in a fixed order before main runs: the product
// constants, the console, the parser, then the twenty-seven options (which outlive
// the parser that points to them).

#include "app/build_target.hpp"
#include "app/options.hpp"
#include "app/product.hpp"

using nuk::cli::Integer;
using nuk::cli::Option;

// The product's identity.
const std::string productName = "hexloom";
// The version comes from the build (cmake/version.cmake), like the packages'.
const std::string productVersion = HEXLOOM_VERSION;
const std::string productYears = "2020-2025";
const std::string creditLine = "Tamsel/Norvane: coding";
// Expanded version-control keywords, kept whole; the version screen cuts
// the revision number and the date out of them.
const std::string revisionKeyword = "$Rev: 529 $";
const std::string dateKeyword = "$LastChangedDate: 2025-03-31 15:46:03 -0400 (Mon, 31 Mar 2025) $";
const std::string buildArchitecture = build::architecture;
const std::string buildTarget = buildArchitecture + build::system;

nuk::con::Console console;
nuk::cli::Parser parser;

// The options, which are also the program's settings.
Option help = Option('?', "help", "show this help text, then exit").standalone();
Option version = Option(0, "version", "show version, credits, and licensing summary, then exit").standalone();
Option verbose = Option('v', "verbose", "verbose (-v) and more verbose (-vv) output").counted();
Option quiet = Option('q', "quiet", "omit normal output (-q), warnings (-qq) and errors (-qqq)").counted();
Option warranty = Option(0, "warranty", "show disclaimer of warranty, then exit").standalone().hidden();
Option debug = Option(0, "debug", "").argument("D", Integer).requiresArgument().hidden();
Option load = Option('L', "load", "regard first two bytes as a load (start) address");
Option start = Option('S', "start", "set/override the start address to A").argument("A", Integer).requiresArgument();
Option len = Option('l', "len", "stop after outputting L bytes").argument("L", Integer).requiresArgument();
Option seek = Option('s', "seek", "skip S bytes before outputting (-N: start N bytes before the end)")
                  .argument("S", Integer)
                  .requiresArgument()
                  .allowsNegative()
                  .defaultsTo("0");
Option width = Option('w', "width", "output W bytes per line").argument("W", Integer).requiresArgument().defaultsTo("16");
Option squeeze = Option('a', "squeeze", "output a run of lines equal to the one before as one line '*'");
Option hex0x = Option(0, "0x", "output hexadecimal using C-style 0x form");
Option turbo = Option(0, "turbo", "output hexadecimal using Turbo-style $ form");
Option hexUpper = Option('H', "hex-upper", "output hexadecimal in uppercase");
Option bits = Option(0, "bits", "output bytes as eight binary digits instead of hexadecimal");
Option pixels = Option(0, "pixels", "draw the bits as pixels (M=mc: bit pairs in four shades)")
                    .argument("M", nuk::cli::Text)
                    .optionalArgument();
Option color = Option('C', "color", "colorize all output where applicable");
Option lowercase = Option('c', "lowercase", "emit PETSCII as if in lower/upper mode");
Option unicode = Option('U', "unicode", "emit PETSCII as Unicode regardless of tty capabilities");
Option ascii = Option(0, "ascii", "emit PETSCII as US-ASCII regardless of tty capabilities");
Option Epath = Option(0, "Epath", "emit the FILE path/name before the output");
Option Enewline = Option(0, "Enewline", "emit new lines between FILE output");
Option raw = Option(0, "raw", "output the bytes themselves, without address or text column");
Option source = Option(0, "source", "output source code for F: acme,ca65,64tass,xa,c,basic")
                    .argument("F", nuk::cli::Text)
                    .requiresArgument();
Option reverse = Option('r', "reverse", "read dumps back into the bytes they show");
Option list = Option(0, "list", "list BASIC programs as the machine does (-r: read listings back)")
                  .argument("D", nuk::cli::Text)
                  .optionalArgument()
                  .choicesOf({"2", "4", "3.5", "7"});
