#!/usr/bin/env python3
"""Draws the picture of Hexloom Mono: its 512 private-use glyphs, one table
per character set, and the dump of the 256 byte values in both sets, all
written in the font itself at 16 pixels (one font pixel to a screen pixel),
then doubled in size.

Usage: render_chart.py --font HexloomMono.ttf --program hexloom --output chart.png
"""

import argparse
import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont

CHARACTER = (8, 16)
LINE = 18
MARGIN = 16
TABLE_CELL = (14, 22)
INK, PAPER, LABEL_INK = (32, 32, 32), (250, 250, 245), (120, 120, 150)
SCALE = 2
SETS = [(0xEE00, "upper-case/graphics set (default)", []),
        (0xEF00, "lower/upper-case set (-c)", ["-c"])]


def dump_lines(program, options):
    with tempfile.TemporaryDirectory() as directory:
        path = os.path.join(directory, "all-bytes.bin")
        with open(path, "wb") as sample:
            sample.write(bytes(range(256)))
        result = subprocess.run([program, "-U", *options, "all-bytes.bin"], cwd=directory,
                                check=True, capture_output=True)
    return result.stdout.decode("utf-8").splitlines()


def draw_table(draw, font, origin, base, title):
    x0, y0 = origin
    draw.text((x0, y0), title, font=font, fill=LABEL_INK)
    y0 += LINE + 4
    label_width = 5 * CHARACTER[0]
    for column in range(16):
        draw.text((x0 + label_width + column * TABLE_CELL[0] + 3, y0), f"{column:X}", font=font, fill=LABEL_INK)
    for row in range(16):
        y = y0 + (row + 1) * TABLE_CELL[1]
        draw.text((x0, y), f"{(base >> 4) + row:03X}x", font=font, fill=LABEL_INK)
        for column in range(16):
            draw.text((x0 + label_width + column * TABLE_CELL[0] + 3, y),
                      chr(base + row * 16 + column), font=font, fill=INK)
    return y0 + 17 * TABLE_CELL[1]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--font", required=True)
    parser.add_argument("--program", required=True)
    parser.add_argument("--output", required=True)
    arguments = parser.parse_args()

    font = ImageFont.truetype(arguments.font, CHARACTER[1])
    dumps = [(options, dump_lines(arguments.program, options)) for _, _, options in SETS]
    dump_columns = max(len(line) for _, lines in dumps for line in lines)
    table_width = 5 * CHARACTER[0] + 16 * TABLE_CELL[0]
    width = 2 * MARGIN + max(dump_columns * CHARACTER[0], 2 * table_width + 3 * MARGIN)
    height = (2 * MARGIN + 2 * LINE + 17 * TABLE_CELL[1] + 2 * MARGIN
              + sum((len(lines) + 1) * LINE + MARGIN for _, lines in dumps))
    image = Image.new("RGB", (width, height), PAPER)
    draw = ImageDraw.Draw(image)
    draw.fontmode = "1"  # whole pixels: the glyphs are pixel cells

    y = MARGIN
    draw.text((MARGIN, y), "Hexloom Mono: the private-use glyphs U+EE00-U+EFFF", font=font, fill=INK)
    y += LINE + 8
    bottom = y
    for index, (base, title, _) in enumerate(SETS):
        x = MARGIN + index * (table_width + 3 * MARGIN)
        bottom = max(bottom, draw_table(draw, font, (x, y), base, title))
    y = bottom + MARGIN
    for options, lines in dumps:
        command = " ".join(["$ hexloom", *options, "all-bytes.bin", "  (bytes 0-255)"])
        draw.text((MARGIN, y), command, font=font, fill=LABEL_INK)
        y += LINE
        for line in lines:
            draw.text((MARGIN, y), line, font=font, fill=INK)
            y += LINE
        y += MARGIN
    image = image.resize((width * SCALE, height * SCALE), Image.NEAREST)
    image.save(arguments.output, optimize=True)
    return 0


if __name__ == "__main__":
    sys.exit(main())
