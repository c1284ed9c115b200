"""Pixel cells read from GNU Unifont's OpenType files.

Unifont draws every glyph on a grid of 8x16 (or 16x16) pixels; its outlines
are the pixel squares' borders, 4 font units to a pixel, with the baseline two
pixels above the cell's bottom. A cell comes back as 16 rows, top row first,
each row a tuple of 0/1 pixels.
"""

import logging

from fontTools.pens.recordingPen import RecordingPen
from fontTools.ttLib import TTFont

CELL_ROWS = 16
UNITS_PER_PIXEL = 4
BASELINE_ROW = 2  # pixel rows below the baseline


# Unifont's head table has time stamps of zero, which fontTools warns about.
logging.getLogger("fontTools.ttLib.tables._h_e_a_d").setLevel(logging.ERROR)


class UnifontGlyphs:
    def __init__(self, paths):
        self._fonts = []
        for path in paths:
            font = TTFont(path)
            self._fonts.append((font, font.getBestCmap(), font.getGlyphSet()))

    def has(self, code_point):
        return any(code_point in cmap for _, cmap, _ in self._fonts)

    def cell(self, code_point):
        """The glyph's pixels: 16 rows of 8 (or 16 for a wide glyph)."""
        for font, cmap, glyph_set in self._fonts:
            if code_point in cmap:
                name = cmap[code_point]
                width = font["hmtx"][name][0] // UNITS_PER_PIXEL
                return _rasterise(glyph_set[name], width)
        raise KeyError(f"GNU Unifont has no glyph for U+{code_point:04X}")


def _edges(glyph):
    """The outline's non-horizontal straight edges as (x0, y0, x1, y1) in pixels."""
    pen = RecordingPen()
    glyph.draw(pen)
    edges, start, current = [], None, None
    for operator, points in pen.value:
        if operator == "moveTo":
            start = current = points[0]
        elif operator == "lineTo":
            edges.append((*current, *points[0]))
            current = points[0]
        elif operator in ("closePath", "endPath"):
            if current != start:
                edges.append((*current, *start))
            current = start
        else:  # Unifont has no curves: a curve would mean a different source
            raise ValueError(f"unexpected outline segment {operator}")
    scale = 1.0 / UNITS_PER_PIXEL
    return [(x0 * scale, y0 * scale + BASELINE_ROW, x1 * scale, y1 * scale + BASELINE_ROW)
            for x0, y0, x1, y1 in edges if y0 != y1]


def _rasterise(glyph, width):
    """Fills each pixel whose centre lies inside the outline (non-zero winding)."""
    edges = _edges(glyph)
    rows = []
    for row in range(CELL_ROWS):
        y = CELL_ROWS - row - 0.5  # pixel centre, counted up from the cell's bottom
        crossings = []
        for x0, y0, x1, y1 in edges:
            if min(y0, y1) < y < max(y0, y1):
                x = x0 + (y - y0) * (x1 - x0) / (y1 - y0)
                crossings.append((x, 1 if y1 > y0 else -1))
        pixels = []
        for column in range(width):
            x = column + 0.5
            winding = sum(direction for crossing, direction in crossings if crossing > x)
            pixels.append(1 if winding != 0 else 0)
        rows.append(tuple(pixels))
    return tuple(rows)
