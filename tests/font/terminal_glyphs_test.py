#!/usr/bin/env python3
"""The dump of bytes 0..255, in both character sets, in a real terminal as a
desktop has it, on a virtual X server (Xvfb):

- LXTerminal (the terminal widget GNOME Terminal is built on, which takes
  fallbacks from fontconfig's lists and coverage), DejaVu Sans Mono as its
  font;
- QTerminal (the Qt terminal widget, which orders its fallbacks by
  fontconfig but draws from whichever of them has a glyph) left at its own
  default font, the system's monospace font (Noto Sans Mono on Debian 12).

Hexloom Mono is known to fontconfig only through a private configuration
(with the rule the package installs), which scans every installed font anew,
so that the terminal must fall back to it by itself, past the other fonts
that carry glyphs of their own at those code points. A screenshot proves
what it drew:

- each cell of a private-use character holds exactly the Hexloom Mono glyph
  (as FreeType draws it at the terminal's pixel size), at one common offset;
- every other cell of the dump looks like the glyph of the font fontconfig
  gives for that character (half its ink or more in common), not like a
  missing-glyph box; the triangles U+25E2-U+25E5 excepted, which LXTerminal
  draws itself.

(xterm would not do: it never takes private-use characters from a fallback
font, only from the font it was started with.)

The screenshot and the terminal's files stay in OUTPUT_DIRECTORY.

Usage: terminal_glyphs_test.py --program hexloom --font HexloomMono.ttf
           --fontconfig-rule 61-hexloom-mono.conf --output-directory DIR
           [--terminal lxterminal|qterminal]
"""

import argparse
import os
import shlex
import shutil
import subprocess
import sys
import time

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from font_sandbox import is_private_use, write_fonts_conf  # noqa: E402

PIXEL_SIZE = 16  # both terminals' fonts are 12 points, at 96 dpi
COLUMNS, ROWS = 80, 36
# Full blocks in columns 0 and 2 of the first line and column 1 of the
# second: where they begin gives the cells' size (a Qt terminal draws them
# shorter than its lines).
MARKER = ["\u2588 \u2588", " \u2588"]
DUMPS = [[], ["-c"]]
DRAWN_BY_THE_TERMINAL = range(0x25E2, 0x25E6)  # like box drawing and blocks: filling the cell

TERMINAL_SCRIPT = r"""
printf '\033[?25l\033[H\033[2J\342\226\210 \342\226\210\n \342\226\210\n'
"$1" -U all-bytes.bin
"$1" -U -c all-bytes.bin
touch ready
exec sleep 600
"""

LXTERMINAL_CONF = """[general]
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

# Its font left unset: the default, "Monospace" 12.
QTERMINAL_CONF = """[General]
AskOnExit=false
colorScheme=BlackOnWhite
MenuVisible=false
HideTabBarWithOneTab=true
ScrollbarPosition=0
ShowTerminalSizeHint=false
TerminalMargin=0

[MainWindow]
size=@Size(1000 1000)
pos=@Point(0 0)
"""

# The terminal's configuration file (under XDG_CONFIG_HOME), its contents,
# its font as fontconfig is asked for it, its command line, and whether it
# puts every character in its cell. The Qt terminal, with a font it takes
# for proportional, lays out a run of fallback glyphs by their own advances
# (Hexloom Mono's are narrower than the cells) and places them at fractions
# of a pixel: there the text column is followed glyph by glyph, and each
# glyph must look like the expected one rather than be it pixel for pixel.
TERMINALS = {
    "lxterminal": ("lxterminal/lxterminal.conf", LXTERMINAL_CONF, "DejaVu Sans Mono",
                   ["lxterminal", "--no-remote", "-e"], True),
    "qterminal": ("qterminal.org/qterminal.ini", QTERMINAL_CONF, "monospace", ["qterminal", "-e"], False),
}
FAINT_INK = 224
TEXT_COLUMN = 6 + 16 * 3  # where the text column of a 16-byte line begins

def prepare(work, font, rule, terminal):
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(os.path.join(work, "fonts"))
    conf_path, conf_text = TERMINALS[terminal][:2]
    os.makedirs(os.path.dirname(os.path.join(work, "home", conf_path)))
    os.chmod(os.path.join(work, "home"), 0o700)  # also the runtime directory, which Qt wants private
    with open(os.path.join(work, "home", conf_path), "w") as conf:
        conf.write(conf_text.format(columns=COLUMNS, rows=ROWS))
    shutil.copy(font, os.path.join(work, "fonts"))
    write_fonts_conf(os.path.join(work, "fonts.conf"), os.path.join(work, "fonts"), os.path.join(work, "cache"), rule)
    with open(os.path.join(work, "all-bytes.bin"), "wb") as sample:
        sample.write(bytes(range(256)))
    with open(os.path.join(work, "show.sh"), "w") as script:
        script.write(TERMINAL_SCRIPT)


def expected_screen(program, work):
    lines = list(MARKER)
    for options in DUMPS:
        output = subprocess.run([program, "-U", *options, "all-bytes.bin"], cwd=work,
                                check=True, capture_output=True).stdout
        lines += output.decode("utf-8").splitlines()
    return lines


def start_x_server():
    read_end, write_end = os.pipe()
    server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x1024x24",
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


def fontconfig_environment(work):
    return dict(os.environ, FONTCONFIG_FILE=os.path.join(work, "fonts.conf"))


def screenshot(program, work, terminal_name):
    environment = dict(fontconfig_environment(work),
                       HOME=os.path.join(work, "home"), XDG_CONFIG_HOME=os.path.join(work, "home"),
                       XDG_DATA_HOME=os.path.join(work, "home"), XDG_CACHE_HOME=os.path.join(work, "cache"),
                       XDG_RUNTIME_DIR=os.path.join(work, "home"), NO_AT_BRIDGE="1", LC_ALL="C.UTF-8")
    server, display = start_x_server()
    environment["DISPLAY"] = display
    terminal = None
    try:
        command = TERMINALS[terminal_name][3] + [f"bash show.sh {shlex.quote(program)}"]
        terminal = subprocess.Popen(command, cwd=work, env=environment,
                                    stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_for(os.path.join(work, "ready"), 60)
        shot = os.path.join(work, "terminal-glyphs.png")
        # The terminal draws what it was sent a little later: the screen is
        # taken once it shows its window (white) with ink on it and two
        # screenshots half a second apart agree.
        previous = None
        for _ in range(40):
            time.sleep(0.5)
            subprocess.run(["import", "-display", display, "-window", "root", shot], check=True)
            with open(shot, "rb") as image:
                current = image.read()
            darkest, lightest = Image.open(shot).convert("L").getextrema()
            if current == previous and darkest < 128 <= lightest:
                break
            previous = current
    finally:
        if terminal:
            terminal.kill()
            terminal.wait()
        server.kill()
        server.wait()
    return Image.open(shot).convert("L")


def ink(image, threshold=128):
    """The pixels of an image darker than the threshold as a frozenset of (x, y)."""
    width = image.size[0]
    return frozenset((index % width, index // width) for index, value in enumerate(image.getdata()) if value < threshold)


def cell_geometry(shot):
    """Origin and size of the terminal's cells, from the marker's blocks."""
    ink_at = lambda x, y: shot.getpixel((x, y)) < 128
    top = next(y for y in range(shot.size[1]) if any(ink_at(x, y) for x in range(shot.size[0] // 4)))
    left = next(x for x in range(shot.size[0]) if ink_at(x, top))
    block_end = next(x for x in range(left, shot.size[0]) if not ink_at(x, top))
    width = (next(x for x in range(block_end, shot.size[0]) if ink_at(x, top)) - left) // 2
    middle = left + width + width // 2
    height = next(y for y in range(top, shot.size[1]) if ink_at(middle, y)) - top
    if not ink_at(left + 2 * width, top) or ink_at(left + width, top):
        raise RuntimeError(f"the marker line is not where expected (cell {width}x{height} at {left},{top})")
    return (left, top), (width, height)


def glyph_ink(font, character, threshold=128):
    image = Image.new("L", (PIXEL_SIZE, PIXEL_SIZE * 2), 255)
    draw = ImageDraw.Draw(image)
    draw.text((0, PIXEL_SIZE), character, font=font, fill=0, anchor="ls")
    return ink(image, threshold)


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


def loose_similarity(drawn, expected):
    """Like similarity, for glyphs placed at fractions of a pixel: the smaller
    of the shares of either's ink that the other has within a pixel to the side."""
    if not drawn and not expected:
        return 1.0
    widened = lambda points: points | shifted(points, -1, 0) | shifted(points, 1, 0)
    best = 0.0
    for dx in range(-1, 2):
        for dy in range(-3, 4):
            moved = shifted(expected, dx, dy)
            if moved and drawn:
                best = max(best, min(len(moved & widened(drawn)) / len(moved), len(drawn & widened(moved)) / len(drawn)))
    return best


def font_file(work, pattern):
    return subprocess.run(["fc-match", "-f", "%{file}", pattern], check=True, env=fontconfig_environment(work),
                          capture_output=True, text=True).stdout


class FallbackFonts:
    """The font fontconfig gives a terminal font for each character, at the pixel size."""

    def __init__(self, work, family):
        self.work, self.family, self.fonts = work, family, {}

    def __call__(self, character):
        path = font_file(self.work, f"{self.family}:charset={ord(character):x}")
        if path not in self.fonts:
            self.fonts[path] = ImageFont.truetype(path, PIXEL_SIZE)
        return self.fonts[path]


def shifted(points, dx, dy):
    return frozenset((x + dx, y + dy) for x, y in points)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--font", required=True)
    parser.add_argument("--fontconfig-rule", required=True, help="the package's fontconfig rule")
    parser.add_argument("--output-directory", required=True)
    parser.add_argument("--terminal", choices=sorted(TERMINALS), default="lxterminal")
    arguments = parser.parse_args()

    work = os.path.abspath(arguments.output_directory)
    arguments.program = os.path.abspath(arguments.program)
    prepare(work, arguments.font, arguments.fontconfig_rule, arguments.terminal)
    lines = expected_screen(arguments.program, work)
    shot = screenshot(arguments.program, work, arguments.terminal)
    (left, top), (cell_width, cell_height) = cell_geometry(shot)
    font = ImageFont.truetype(arguments.font, PIXEL_SIZE)

    def cell_ink(row, column):
        x, y = left + column * cell_width, top + row * cell_height
        return ink(shot.crop((x, y, x + cell_width, y + cell_height)))

    # A Qt terminal asks for the font's fallbacks by the name of the font it
    # was given ("Noto Sans Mono" for "Monospace"), not by the name it asked for.
    terminal_family = subprocess.run(["fc-match", "-f", "%{family[0]}", TERMINALS[arguments.terminal][2]], check=True,
                                     env=fontconfig_environment(work), capture_output=True, text=True).stdout
    drawing_font = FallbackFonts(work, terminal_family)
    baseline = round(ImageFont.truetype(font_file(work, terminal_family), PIXEL_SIZE).getmetrics()[0])
    def expected_ink(character, threshold=128):
        """The glyph fontconfig gives for the character, on the terminal's baseline, and its advance."""
        source = font if is_private_use(ord(character)) else drawing_font(character)
        return (shifted(glyph_ink(source, character, threshold), 0, baseline - PIXEL_SIZE),
                round(source.getlength(character)))

    def glyph_failure(row, column, character):
        source = ("Hexloom Mono" if is_private_use(ord(character)) else
                  os.path.basename(font_file(work, f"{terminal_family}:charset={ord(character):x}")))
        return f"row {row} column {column}: U+{ord(character):04X} is not the glyph of {source}"

    def follow_text_column(row, line):
        """Failures of the glyphs from TEXT_COLUMN on, each found next to where the one before ended."""
        found, x, y = [], left + TEXT_COLUMN * cell_width, top + row * cell_height
        for column, character in enumerate(line[TEXT_COLUMN:], start=TEXT_COLUMN):
            # Light grey counts as ink too for the other fonts' glyphs: their
            # hairlines, split over two columns, are all grey.
            threshold = 128 if is_private_use(ord(character)) else FAINT_INK
            expected, advance = expected_ink(character, threshold)
            best = max((loose_similarity(ink(shot.crop((start, y, start + advance, y + cell_height)), threshold),
                                         expected),
                        -abs(start - x), start) for start in range(x - 1, x + 4))
            if best[0] < 0.8:
                found.append(glyph_failure(row, column, character))
            x = best[2] + advance
        return found

    grid = TERMINALS[arguments.terminal][4]
    failures = []
    # The offsets at which every private-use cell shows its glyph exactly.
    offsets = None
    private_use_cells = 0
    for row, line in enumerate(lines[len(MARKER):], start=len(MARKER)):
        private_use_cells += sum(is_private_use(ord(c)) for c in line)
        if not grid:
            failures += follow_text_column(row, line)
            line = line[:TEXT_COLUMN]
        for column, character in enumerate(line):
            drawn = cell_ink(row, column)
            if ord(character) in DRAWN_BY_THE_TERMINAL:
                continue
            if not is_private_use(ord(character)):
                if similarity(drawn, expected_ink(character)[0]) < 0.5:
                    failures.append(glyph_failure(row, column, character))
                continue
            glyph = glyph_ink(font, character)
            fits = {(dx, dy) for dx in range(-2, cell_width) for dy in range(-PIXEL_SIZE, cell_height)
                    if (offsets is None or (dx, dy) in offsets) and shifted(glyph, dx, dy) == drawn}
            if not fits:
                failures.append(glyph_failure(row, column, character))
            else:
                offsets = fits
    if private_use_cells < 250:
        failures.append(f"only {private_use_cells} private-use characters on the screen")

    for failure in failures[:20]:
        print(f"FAIL: {failure}")
    if failures:
        print(f"{len(failures)} failure(s); screenshot: {os.path.join(work, 'terminal-glyphs.png')}")
        return 1
    placement = f"glyph offset {sorted(offsets)[0]}" if offsets else "followed glyph by glyph"
    print(f"{private_use_cells} private-use characters drawn in Hexloom Mono (cell {cell_width}x{cell_height}, "
          f"{placement}) in {arguments.terminal}; every other character in the font fontconfig gives; "
          f"screenshot: {os.path.join(work, 'terminal-glyphs.png')}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
