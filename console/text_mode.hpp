#pragma once
// How the text column reaches the reader: the console object holds one, and
// the PETSCII translation writes each byte in it. A header of its own, so
// that the translation uses the modes without the console.

namespace nuk::con {

enum TextMode : int { none = 0, unicode = 1, ascii = 2, codePage = 3, wideConsole = 4 };

}  // namespace nuk::con
