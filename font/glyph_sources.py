"""What each glyph of Hexloom Mono is drawn from.

The private-use glyphs follow the program's own character tables, read from
the listing its glyph-source program prints (one line per set and screen
code: private-use base, screen code, standard character, code point written).
Screen codes 0x00-0x7F take the Unifont glyph of their standard character;
0x80-0xFF are the cell of screen code - 0x80 with every pixel inverted.
"""

import subprocess

REVERSE_VIDEO = 0x80

# Table entries that are private-use themselves have no standard character;
# these Symbols for Legacy Computing characters show the same shapes.
LEGACY_COMPUTING_SHAPES = {
    0x44: 0x1FB78, 0x45: 0x1FB77, 0x46: 0x1FB7A, 0x47: 0x1FB71,
    0x48: 0x1FB73, 0x4C: 0x1FB7C, 0x4F: 0x1FB7D, 0x50: 0x1FB7E,
    0x52: 0x1FB7B, 0x54: 0x1FB70, 0x59: 0x1FB75, 0x5C: 0x1FB8C,
    0x67: 0x2595, 0x68: 0x1FB8F, 0x6A: 0x2595, 0x76: 0x1FB87,
    0x77: 0x2594, 0x78: 0x1FB82, 0x7A: 0x1FB7F,
}
# The lower/upper-case set's own fills. 0x5E is the inverse of the shade at
# 0x66 (its reverse-video form is that shade in the table), so it is the
# checker board whose top left pixel is clear; 0x5F and 0x69 are striped
# like the triangles the other set has at those screen codes, parallel to
# their long side.
LOWERCASE_SET_SHAPES = {
    0x5E: 0x1FB96,  # INVERSE CHECKER BOARD FILL
    0x5F: 0x1FB98,  # UPPER LEFT TO LOWER RIGHT FILL
    0x69: 0x1FB99,  # UPPER RIGHT TO LOWER LEFT FILL
}
LOWERCASE_SET_BASE = 0xEF00


def is_private_use(code_point):
    return 0xE000 <= code_point <= 0xF8FF


class TableEntry:
    def __init__(self, base, screen_code, standard, written):
        self.base = base
        self.screen_code = screen_code
        self.standard = standard
        self.written = written

    @property
    def glyph_code_point(self):
        return self.base + self.screen_code


def read_listing(program):
    """Runs the glyph-source program and parses its listing."""
    output = subprocess.run([program], check=True, capture_output=True, text=True).stdout
    entries = []
    for line in output.splitlines():
        base, screen_code, standard, written = (int(field, 16) for field in line.split())
        entries.append(TableEntry(base, screen_code, standard, written))
    if len(entries) != 512:
        raise ValueError(f"{program} listed {len(entries)} screen codes, not 2 x 256")
    return entries


def shape_source(entry):
    """The code point whose Unifont glyph screen code entry.screen_code (< 0x80) shows."""
    if not is_private_use(entry.standard):
        return entry.standard
    if entry.base == LOWERCASE_SET_BASE and entry.screen_code in LOWERCASE_SET_SHAPES:
        return LOWERCASE_SET_SHAPES[entry.screen_code]
    if entry.screen_code in LEGACY_COMPUTING_SHAPES:
        return LEGACY_COMPUTING_SHAPES[entry.screen_code]
    raise ValueError(f"no shape known for U+{entry.glyph_code_point:04X} "
                     f"(table entry U+{entry.standard:04X})")
