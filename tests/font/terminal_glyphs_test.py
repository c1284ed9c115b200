#!/usr/bin/env python3
"""The dump of bytes 0..255, in both character sets, in a real terminal as a
desktop has it: LXTerminal (the terminal widget GNOME Terminal is built on)
on a virtual X server (Xvfb), DejaVu Sans Mono as its font, and Hexloom Mono
known to fontconfig only through a private configuration (with the rule the
package installs, which ranks it first among the fallbacks), so that the
terminal must fall back to it by itself. A screenshot proves what it drew:

- each cell of a private-use character holds exactly the Hexloom Mono glyph
  (as FreeType draws it at the terminal's pixel size), at one common offset;
- every other cell of the dump looks like the terminal font's own glyph
  (half its ink or more in common), not like a missing-glyph box; the
  triangles U+25E2-U+25E5 excepted, which the terminal draws itself.

(xterm would not do: it never takes private-use characters from a fallback
font, only from the font it was started with.)

The screenshot and the terminal's files stay in OUTPUT_DIRECTORY.

Usage: terminal_glyphs_test.py --program hexloom --font HexloomMono.ttf
           --fontconfig-rule 61-hexloom-mono.conf --output-directory DIR
"""

import argparse
import os
import shlex
import shutil
import subprocess
import sys
import time

from PIL import Image, ImageDraw, ImageFont

PIXEL_SIZE = 16  # the terminal's font is DejaVu Sans Mono 12 (points at 96 dpi)
COLUMNS, ROWS = 80, 36
MARKER = "\u2588 \u2588"  # full blocks, which the terminal draws filling their cells
DUMPS = [[], ["-c"]]
DRAWN_BY_THE_TERMINAL = range(0x25E2, 0x25E6)  # like box drawing and blocks: filling the cell

TERMINAL_SCRIPT = r"""
printf '\033[?25l\033[H\033[2J\342\226\210 \342\226\210\n'
"$1" -U all-bytes.bin
"$1" -U -c all-bytes.bin
touch ready
exec sleep 600
"""

TERMINAL_CONF = """[general]
fontname=DejaVu Sans Mono 12
bgcolor=rgb(255,255,255)
fgcolor=rgb(0,0,0)
hidescrollbar=true
hidemenubar=true
hideclosebutton=true
cursorblinks=false
geometry_columns={columns}
geometry_rows={rows}
"""

FONTS_CONF = """<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "urn:fontconfig:fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <dir>{fonts}</dir>
  <cachedir>{cache}</cachedir>
  <include>{rule}</include>
  <!-- Only the font under test: not one a package installed. -->
  <selectfont><rejectfont>
    <glob>/usr/share/fonts/truetype/hexloom/*</glob>
    <glob>/usr/local/share/fonts/truetype/hexloom/*</glob>
  </rejectfont></selectfont>
</fontconfig>
"""


def prepare(work, font, rule):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "fonts"))
    os.makedirs(os.path.join(work, "home", "lxterminal"))
    with open(os.path.join(work, "home", "lxterminal", "lxterminal.conf"), "w") as conf:
        conf.write(TERMINAL_CONF.format(columns=COLUMNS, rows=ROWS))
    shutil.copy(font, os.path.join(work, "fonts"))
    with open(os.path.join(work, "fonts.conf"), "w") as conf:
        conf.write(FONTS_CONF.format(fonts=os.path.join(work, "fonts"), cache=os.path.join(work, "cache"),
                                      rule=os.path.abspath(rule)))
    with open(os.path.join(work, "all-bytes.bin"), "wb") as sample:
        sample.write(bytes(range(256)))
    with open(os.path.join(work, "show.sh"), "w") as script:
        script.write(TERMINAL_SCRIPT)


def expected_screen(program, work):
    lines = [MARKER]
    for options in DUMPS:
        output = subprocess.run([program, "-U", *options, "all-bytes.bin"], cwd=work,
                                check=True, capture_output=True).stdout
        lines += output.decode("utf-8").splitlines()
    return lines


def start_x_server():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x800x24",
                               "-nolisten", "tcp"], pass_fds=[write_end],
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as pipe:
        display = pipe.readline().strip()
    if not display:
        server.kill()
        raise RuntimeError("Xvfb did not start")
    return server, ":" + display


def wait_for(path, seconds):
    deadline = time.monotonic() + seconds
    while not os.path.exists(path):
        if time.monotonic() > deadline:
            raise RuntimeError(f"the terminal did not get as far as {os.path.basename(path)}")
        time.sleep(0.2)


def screenshot(program, work):
    environment = dict(os.environ, FONTCONFIG_FILE=os.path.join(work, "fonts.conf"),
                       HOME=os.path.join(work, "home"), XDG_CONFIG_HOME=os.path.join(work, "home"),
                       XDG_DATA_HOME=os.path.join(work, "home"), XDG_CACHE_HOME=os.path.join(work, "cache"),
                       XDG_RUNTIME_DIR=os.path.join(work, "home"), NO_AT_BRIDGE="1", LC_ALL="C.UTF-8")
    server, display = start_x_server()
    environment["DISPLAY"] = display
    terminal = None
    try:
        terminal = subprocess.Popen(["lxterminal", "--no-remote", "-e", f"bash show.sh {shlex.quote(program)}"],
                                    cwd=work, env=environment, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(os.path.join(work, "ready"), 60)
        shot = os.path.join(work, "terminal-glyphs.png")
        # The terminal draws what it was sent a little later: the screen is
        # taken once it shows ink and two screenshots half a second apart agree.
        previous = None
        for _ in range(40):
            time.sleep(0.5)
            subprocess.run(["import", "-display", display, "-window", "root", shot], check=True)
            with open(shot, "rb") as image:
                current = image.read()
            if current == previous and Image.open(shot).convert("L").getextrema()[0] < 128:
                break
            previous = current
    finally:
        if terminal:
            terminal.kill()
            terminal.wait()
        server.kill()
        server.wait()
    return Image.open(shot).convert("L")


def ink(image):
    """The dark pixels of an image as a frozenset of (x, y)."""
    width = image.size[0]
    return frozenset((index % width, index // width) for index, value in enumerate(image.getdata()) if value < 128)


def cell_geometry(shot):
    """Origin and size of the terminal's cells, from the marker's first block."""
    ink_at = lambda x, y: shot.getpixel((x, y)) < 128
    top = next(y for y in range(shot.size[1]) if any(ink_at(x, y) for x in range(shot.size[0] // 4)))
    left = next(x for x in range(shot.size[0]) if ink_at(x, top))
    width = next(x for x in range(left, shot.size[0]) if not ink_at(x, top)) - left
    height = next(y for y in range(top, shot.size[1]) if not ink_at(left, y)) - top
    if not ink_at(left + 2 * width, top) or ink_at(left + width, top):
        raise RuntimeError(f"the marker line is not where expected (cell {width}x{height} at {left},{top})")
    return (left, top), (width, height)


def glyph_ink(font, character):
    image = Image.new("L", (PIXEL_SIZE, PIXEL_SIZE * 2), 255)
    draw = ImageDraw.Draw(image)
    draw.text((0, PIXEL_SIZE), character, font=font, fill=0, anchor="ls")
    return ink(image)


def similarity(drawn, expected):
    """The best share of ink the two have in common, over small shifts."""
    if not drawn and not expected:
        return 1.0
    best = 0.0
    for dx in range(-2, 3):
        for dy in range(-3, 4):
            moved = shifted(expected, dx, dy)
            best = max(best, len(moved & drawn) / len(moved | drawn))
    return best


def terminal_font_file():
    return subprocess.run(["fc-match", "-f", "%{file}", "DejaVu Sans Mono"], check=True,
                          capture_output=True, text=True).stdout


def shifted(points, dx, dy):
    return frozenset((x + dx, y + dy) for x, y in points)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--font", required=True)
    parser.add_argument("--fontconfig-rule", required=True, help="the package's fontconfig rule")
    parser.add_argument("--output-directory", required=True)
    arguments = parser.parse_args()

    work = os.path.abspath(arguments.output_directory)
    arguments.program = os.path.abspath(arguments.program)
    prepare(work, arguments.font, arguments.fontconfig_rule)
    lines = expected_screen(arguments.program, work)
    shot = screenshot(arguments.program, work)
    (left, top), (cell_width, cell_height) = cell_geometry(shot)
    font = ImageFont.truetype(arguments.font, PIXEL_SIZE)

    def cell_ink(row, column):
        x, y = left + column * cell_width, top + row * cell_height
        return ink(shot.crop((x, y, x + cell_width, y + cell_height)))

    terminal_font = ImageFont.truetype(terminal_font_file(), PIXEL_SIZE)
    baseline = round(terminal_font.getmetrics()[0])
    failures = []
    # The offsets at which every private-use cell shows its glyph exactly.
    offsets = None
    private_use_cells = 0
    for row, line in enumerate(lines[1:], start=1):
        for column, character in enumerate(line):
            drawn = cell_ink(row, column)
            if ord(character) in DRAWN_BY_THE_TERMINAL:
                continue
            if not 0xEE00 <= ord(character) <= 0xEFFF:
                expected = shifted(glyph_ink(terminal_font, character), 0, baseline - PIXEL_SIZE)
                if similarity(drawn, expected) < 0.5:
                    failures.append(f"row {row} column {column}: U+{ord(character):04X} is not the terminal font's glyph")
                continue
            private_use_cells += 1
            glyph = glyph_ink(font, character)
            fits = {(dx, dy) for dx in range(-2, cell_width) for dy in range(-PIXEL_SIZE, cell_height)
                    if (offsets is None or (dx, dy) in offsets) and shifted(glyph, dx, dy) == drawn}
            if not fits:
                failures.append(f"row {row} column {column}: U+{ord(character):04X} is not Hexloom Mono's glyph")
            else:
                offsets = fits
    if private_use_cells < 250:
        failures.append(f"only {private_use_cells} private-use characters on the screen")

    for failure in failures[:20]:
        print(f"FAIL: {failure}")
    if failures:
        print(f"{len(failures)} failure(s); screenshot: {os.path.join(work, 'terminal-glyphs.png')}")
        return 1
    print(f"{private_use_cells} private-use cells drawn in Hexloom Mono (cell {cell_width}x{cell_height}, "
          f"glyph offset {sorted(offsets)[0]}); every other cell in the terminal's font; "
          f"screenshot: {os.path.join(work, 'terminal-glyphs.png')}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
