#!/usr/bin/env python3
"""Builds Hexloom Mono, the font that shows the text column's glyphs.

Every glyph is a GNU Unifont glyph, or the inverse of one: Basic Latin, the
Box Drawing and Block Elements blocks, every other character the program
writes, and the 512 private-use glyphs U+EE00-U+EFFF the program's tables
call for (see glyph_sources.py). Each 8x16 pixel cell becomes outlines of
64 font units to a pixel, so the font is sharp at 16 pixels and multiples.

The output depends on its inputs only: fixed time stamps, glyphs in code
point order.

Usage: build_font.py --glyph-sources PROGRAM --unifont FONT [--unifont FONT]
                     --version VERSION --output FILE
"""

import argparse
import sys

from fontTools.fontBuilder import FontBuilder
from fontTools.pens.ttGlyphPen import TTGlyphPen
from fontTools.ttLib.tables.O_S_2f_2 import Panose

import glyph_sources
from pixel_outlines import contours
from unifont_bitmaps import BASELINE_ROW, CELL_ROWS, UnifontGlyphs

FAMILY = "Hexloom Mono"
POSTSCRIPT_NAME = "HexloomMono-Regular"
CELL_COLUMNS = 8
UNITS_PER_PIXEL = 64
UNITS_PER_EM = CELL_ROWS * UNITS_PER_PIXEL
ADVANCE = CELL_COLUMNS * UNITS_PER_PIXEL
ASCENT = (CELL_ROWS - BASELINE_ROW) * UNITS_PER_PIXEL
DESCENT = BASELINE_ROW * UNITS_PER_PIXEL
REGULAR, USE_TYPO_METRICS = 1 << 6, 1 << 7  # OS/2 fsSelection bits
# 2024-01-01 00:00 UTC in the font's clock (seconds since 1904): a fixed
# time stamp, so that the same inputs give the same bytes.
FIXED_TIME_STAMP = 3787038400

# Besides what the tables name: the dump's own characters, the two blocks a
# terminal font is expected to have, and the rest of Latin-1, without which
# fontconfig does not count the font as one for English (or most Western
# European languages) and ranks it below every font that is, as a fallback too.
# (The soft hyphen is left out: Unifont draws it as a wide box with its name.)
BASIC_LATIN = range(0x20, 0x7F)
LATIN_1_SUPPLEMENT = [code_point for code_point in range(0xA0, 0x100) if code_point != 0xAD]
BOX_DRAWING_AND_BLOCKS = range(0x2500, 0x25A0)

COPYRIGHT = ("Glyphs of GNU Unifont, Copyright (c) 1998-2022 Roman Czyborra, Paul Hardy, "
             "Qianqian Fang, Andrew Miller, Johnnie Weaver, David Corbett, Nils Moskopp, "
             "Rebecca Bettencourt, et al. Arranged as Hexloom Mono by the hexloom build.")
LICENCE = "SIL Open Font License, Version 1.1"
LICENCE_URL = "https://openfontlicense.org"


def narrowed(cell, code_point, notes):
    """A 16-pixel-wide Unifont cell squeezed to 8 columns, each pair of columns ORed."""
    if len(cell[0]) == CELL_COLUMNS:
        return cell
    notes.append(f"U+{code_point:04X}: Unifont's glyph is 16 pixels wide; "
                 "narrowed to 8 by joining each pair of columns")
    return tuple(tuple(row[2 * x] | row[2 * x + 1] for x in range(CELL_COLUMNS)) for row in cell)


def inverted(cell):
    return tuple(tuple(1 - pixel for pixel in row) for row in cell)


def glyph_cells(entries, unifont, notes):
    """Code point -> 8x16 cell, for every character of the font."""
    wanted = set(BASIC_LATIN) | set(LATIN_1_SUPPLEMENT) | set(BOX_DRAWING_AND_BLOCKS)
    for entry in entries:
        for code_point in (entry.standard, entry.written):
            if not glyph_sources.is_private_use(code_point):
                wanted.add(code_point)
    cells = {}
    for code_point in sorted(wanted):
        cells[code_point] = narrowed(unifont.cell(code_point), code_point, notes)
    normal = [entry for entry in entries if entry.screen_code < glyph_sources.REVERSE_VIDEO]
    reverse = [entry for entry in entries if entry.screen_code >= glyph_sources.REVERSE_VIDEO]
    for entry in normal:
        source = glyph_sources.shape_source(entry)
        cells[entry.glyph_code_point] = narrowed(unifont.cell(source), source, notes)
    for entry in reverse:
        cells[entry.glyph_code_point] = inverted(cells[entry.glyph_code_point - glyph_sources.REVERSE_VIDEO])
    return cells


def outline(cell):
    pen = TTGlyphPen(None)
    for contour in contours(cell):
        x, y = contour[0]
        pen.moveTo(_units(x, y))
        for x, y in contour[1:]:
            pen.lineTo(_units(x, y))
        pen.closePath()
    return pen.glyph()


def _units(x, y):
    return (x * UNITS_PER_PIXEL, y * UNITS_PER_PIXEL - DESCENT)


def missing_glyph():
    """The .notdef glyph: the outline of a box, columns 1-6 by rows 2-13."""
    def on_frame(x, y):
        inside = 1 <= x <= 6 and 2 <= y <= 13
        return inside and (x in (1, 6) or y in (2, 13))
    return outline(tuple(tuple(int(on_frame(x, y)) for x in range(CELL_COLUMNS)) for y in range(CELL_ROWS)))


def build(cells, version):
    builder = FontBuilder(UNITS_PER_EM, isTTF=True)
    builder.font.recalcTimestamp = False
    names = {code_point: f"uni{code_point:04X}" for code_point in sorted(cells)}
    glyph_order = [".notdef"] + [names[code_point] for code_point in sorted(cells)]
    builder.setupGlyphOrder(glyph_order)
    builder.setupCharacterMap(names)
    glyphs = {".notdef": missing_glyph()}
    glyphs.update({names[code_point]: outline(cell) for code_point, cell in cells.items()})
    builder.setupGlyf(glyphs)
    glyf = builder.font["glyf"]
    metrics = {}
    for name in glyph_order:
        glyf[name].recalcBounds(glyf)
        metrics[name] = (ADVANCE, getattr(glyf[name], "xMin", 0))
    builder.setupHorizontalMetrics(metrics)
    builder.setupHorizontalHeader(ascent=ASCENT, descent=-DESCENT, lineGap=0)
    builder.setupHead(unitsPerEm=UNITS_PER_EM, created=FIXED_TIME_STAMP, modified=FIXED_TIME_STAMP,
                      fontRevision=float(".".join(version.split(".")[:2])))
    builder.setupNameTable({
        "copyright": COPYRIGHT,
        "familyName": FAMILY,
        "styleName": "Regular",
        "uniqueFontIdentifier": f"{POSTSCRIPT_NAME};{version}",
        "fullName": f"{FAMILY} Regular",
        "version": f"Version {version}",
        "psName": POSTSCRIPT_NAME,
        "licenseDescription": LICENCE,
        "licenseInfoURL": LICENCE_URL,
    })
    builder.setupOS2(
        version=4, xAvgCharWidth=ADVANCE, usWeightClass=400, fsType=0,
        sTypoAscender=ASCENT, sTypoDescender=-DESCENT, sTypoLineGap=0,
        usWinAscent=ASCENT, usWinDescent=DESCENT, sxHeight=8 * UNITS_PER_PIXEL,
        sCapHeight=10 * UNITS_PER_PIXEL, achVendID="NONE",
        fsSelection=REGULAR | USE_TYPO_METRICS,
        panose=_monospaced_panose(),
        ulCodePageRange1=1,  # Latin 1
    )
    builder.font["OS/2"].recalcUnicodeRanges(builder.font)
    builder.setupPost(isFixedPitch=1, underlinePosition=-DESCENT // 2, underlineThickness=UNITS_PER_PIXEL)
    builder.setupMaxp()
    builder.font.recalcBBoxes = True
    return builder.font


def _monospaced_panose():
    panose = Panose()
    for field in ("bSerifStyle", "bWeight", "bContrast", "bStrokeVariation", "bArmStyle",
                  "bLetterForm", "bMidline", "bXHeight"):
        setattr(panose, field, 0)
    panose.bFamilyType = 2  # Latin text
    panose.bProportion = 9  # monospaced
    return panose


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--glyph-sources", required=True, help="the program that lists the tables")
    parser.add_argument("--unifont", action="append", required=True, help="a GNU Unifont .otf file")
    parser.add_argument("--version", required=True)
    parser.add_argument("--output", required=True)
    arguments = parser.parse_args()

    entries = glyph_sources.read_listing(arguments.glyph_sources)
    notes = []
    cells = glyph_cells(entries, UnifontGlyphs(arguments.unifont), notes)
    font = build(cells, arguments.version)
    font.save(arguments.output)
    for note in sorted(set(notes)):
        print(f"note: {note}")
    print(f"{arguments.output}: {FAMILY}, {len(cells)} characters")
    return 0


if __name__ == "__main__":
    sys.exit(main())
