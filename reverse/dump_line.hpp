#pragma once
// One line of a dump read back: what kind of line it is and, for a line of
// bytes, its address and the bytes of its byte column (hexadecimal in any
// notation, or bits). The text column is only counted, never read: the
// byte column alone says what the bytes are.

#include <cstddef>
#include <cstdint>

namespace undump {

enum class LineKind {
    bytes,    // an address and a hex column
    squeeze,  // "*": lines equal to the one before, up to the next line's address
    empty,    // the separator between the dumps of two inputs
    path,     // the name of the input whose dump follows
    picture,  // an address and the cells of a picture of the bits (--pixels), which tell no bytes
    place,    // a path line that names a disk's sector ("x.d64:@18/1"): inside a dump, where its next bytes lie
    broken,   // looks like a dump line but is none
};

struct DumpLine {
    LineKind kind = LineKind::broken;
    std::uint64_t address = 0;   // as shown: its low `digits` hex digits
    unsigned digits = 0;         // 4 or 5
    std::size_t positions = 0;   // fields of the hex column
    std::size_t present = 0;     // of them the first ones that show a byte; the rest show "--"
};

// The most bytes a line of `length` characters can hold: a field takes at
// least two characters and a character of the text column.
inline std::size_t mostBytesOf(std::size_t length) { return length / 3 + 1; }

// Reads the line [begin, end), without its line break and without colour
// escapes. For a line of bytes, bytes[0 .. present) receive them; there
// must be room for mostBytesOf(end - begin).
DumpLine readDumpLine(const char* begin, const char* end, std::uint8_t* bytes);

}  // namespace undump
