#!/usr/bin/env python3
"""Checks the built Hexloom Mono against the program and GNU Unifont:

- every character the program writes for the 256 byte values, in both
  character sets, has a glyph in the font, and every glyph has one width;
- each reverse-video glyph (screen code 0x80-0xFF) is its base glyph with
  every pixel of the 8x16 cell inverted;
- the glyph at U+EE40 is Unifont's U+2500;
- building the font again gives the same bytes.

The glyphs are drawn by FreeType (through Pillow) at 16 pixels, where one
font pixel is one screen pixel, so the check does not share the build's
own reading of outlines.

Usage: font_glyphs_test.py --program hexloom --font HexloomMono.ttf
           --unifont unifont.otf --rebuild COMMAND...
"""

import argparse
import os
import subprocess
import sys
import tempfile

from fontTools.ttLib import TTFont
from PIL import Image, ImageDraw, ImageFont

CELL = (8, 16)
BASELINE = 14
failures = []


def fail(message):
    failures.append(message)
    print(f"FAIL: {message}")


def written_characters(program):
    """Every character of the dump of bytes 0..255, in both sets."""
    characters = set()
    with tempfile.TemporaryDirectory() as directory:
        path = os.path.join(directory, "all-bytes.bin")
        with open(path, "wb") as sample:
            sample.write(bytes(range(256)))
        for options in ([], ["-c"]):
            output = subprocess.run([program, "-U", *options, path], check=True, capture_output=True).stdout
            characters |= set(output.decode("utf-8")) - {"\n"}
    return characters


def cell(font, code_point):
    image = Image.new("L", CELL, 0)
    draw = ImageDraw.Draw(image)
    draw.fontmode = "1"
    draw.text((0, BASELINE), chr(code_point), font=font, fill=255, anchor="ls")
    return bytes(1 if value >= 128 else 0 for value in image.getdata())


def picture(pixels):
    rows = [pixels[row * CELL[0]:(row + 1) * CELL[0]] for row in range(CELL[1])]
    return "\n".join("".join("#" if pixel else "." for pixel in row) for row in rows)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--font", required=True)
    parser.add_argument("--unifont", required=True)
    parser.add_argument("--rebuild", nargs=argparse.REMAINDER, required=True,
                        help="the font build command, without its --output")
    arguments = parser.parse_args()

    font_file = TTFont(arguments.font)
    cmap = font_file.getBestCmap()
    missing = sorted(ord(character) for character in written_characters(arguments.program)
                     if ord(character) not in cmap)
    if missing:
        fail("no glyph for " + ", ".join(f"U+{code_point:04X}" for code_point in missing))
    widths = {font_file["hmtx"][name][0] for name in font_file.getGlyphOrder()}
    if len(widths) != 1:
        fail(f"glyphs of more than one width: {sorted(widths)}")

    font = ImageFont.truetype(arguments.font, CELL[1])
    for base in (0xEE00, 0xEF00):
        for screen_code in range(0x80, 0x100):
            reverse, normal = cell(font, base + screen_code), cell(font, base + screen_code - 0x80)
            if reverse != bytes(1 - pixel for pixel in normal):
                fail(f"U+{base + screen_code:04X} is not the inverse of U+{base + screen_code - 0x80:04X}:\n"
                     f"{picture(reverse)}\nbase:\n{picture(normal)}")

    unifont = ImageFont.truetype(arguments.unifont, CELL[1])
    line, expected = cell(font, 0xEE40), cell(unifont, 0x2500)
    if line != expected or not any(line):
        fail(f"U+EE40 is not Unifont's U+2500:\n{picture(line)}\nUnifont:\n{picture(expected)}")

    with tempfile.TemporaryDirectory() as directory:
        again = os.path.join(directory, "again.ttf")
        subprocess.run([*arguments.rebuild, "--output", again], check=True, stdout=subprocess.DEVNULL)
        with open(again, "rb") as rebuilt, open(arguments.font, "rb") as built:
            if rebuilt.read() != built.read():
                fail("building the font again gave other bytes")

    if failures:
        print(f"{len(failures)} failure(s)")
        return 1
    print(f"{len(cmap)} characters; every written character, reverse glyph and rebuild checked")
    return 0


if __name__ == "__main__":
    sys.exit(main())
