#!/usr/bin/env python3
"""Source code written with --source gives back the bytes it shows.

For one format (--format), each row writes three programs as source code
with one combination of load address, width, digit case and range, and
turns the source back into bytes with the real tool: acme, ca65 and ld65
(cc65), 64tass, xa (xa65) or gcc, whose program prints the C array. The
bytes must be the ones the dump shows; with an origin the assemblers that
write PRG files (acme, 64tass) must load them there, and with -L alone give
back the whole PRG. BASIC has no tool here: its lines are read as the machine reads
them (numbers rising up to 63999, 80 characters at most, DATA values 0 to
255, the loader's addresses). Exits 77 (skipped) when the tool is missing.

Runs the program like the golden cases do (natively, under qemu-i386 or
Wine): same arguments as run_golden.py, and --format."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness.content import random_bytes  # noqa: E402
from harness.kit_report import report  # noqa: E402
from harness.launch import target_from_command_line  # noqa: E402

SKIPPED = 77
REPOSITORY = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

with open(os.path.join(REPOSITORY, "samples", "hello.prg"), "rb") as sample:
    PROGRAMS = {"hello.prg": sample.read(),
                # A program at $C000, and one of a single byte after its load address.
                "1-high.prg": b"\x00\xc0" + random_bytes(5000, 11),
                "tiny.prg": b"\x00\x10\xea"}

# (options, whether the bytes have their load address as origin)
ROWS = [(["-L"], True),
        ([], False),
        (["-L", "-w", "7", "-H"], True),
        (["-L", "-s", "3", "-l", "40"], True),
        (["-S", "0x2000", "-w", "1"], True)]

TOOLS = {"acme": ["acme"], "ca65": ["ca65", "ld65"], "64tass": ["64tass"], "xa": ["xa"], "c": ["gcc"],
         "basic": []}

LD65_CONFIG = ("MEMORY { M: start = $0, size = $1000000, file = %O; }\n"
               "SEGMENTS { CODE: load = M, type = rw; }\n")

C_PROGRAM = """#include <stdio.h>
#include "data.c"
int main(void) {
    if (sizeof NAME != NAME_len) return 2;
    fwrite(NAME, 1, NAME_len, stdout);
    return 0;
}
"""


def shown_bytes(content, options):
    """The bytes the dump shows: after the load address with -L, from -s on,
    at most -l of them."""
    data = content[2:] if "-L" in options else content
    seek = int(options[options.index("-s") + 1]) if "-s" in options else 0
    length = int(options[options.index("-l") + 1]) if "-l" in options else len(data)
    return data[seek:seek + length]


def tool_run(argv, directory):
    done = subprocess.run(argv, cwd=directory, capture_output=True, timeout=120)
    if done.returncode != 0:
        raise RuntimeError("%s failed (%d): %s" % (" ".join(argv), done.returncode,
                                                   (done.stderr + done.stdout).decode(errors="replace")))
    return done.stdout


def read(directory, name):
    with open(os.path.join(directory, name), "rb") as binary:
        return binary.read()


def write(directory, name, text):
    with open(os.path.join(directory, name), "wb") as out:
        out.write(text)


def assemble(form, source, has_origin, directory):
    """The bytes the tool makes of the source and, for the assemblers that
    write PRG files, the PRG (None otherwise)."""
    if form == "acme":
        # A piece without origin goes into a source that has one.
        write(directory, "data.asm", source if has_origin else b"* = $1000\n" + source)
        tool_run(["acme", "-f", "plain", "-o", "data.bin", "data.asm"], directory)
        tool_run(["acme", "-f", "cbm", "-o", "data.prg", "data.asm"], directory)
        return read(directory, "data.bin"), read(directory, "data.prg")
    if form == "64tass":
        write(directory, "data.asm", source)
        tool_run(["64tass", "-q", "-b", "-o", "data.bin", "data.asm"], directory)
        tool_run(["64tass", "-q", "-o", "data.prg", "data.asm"], directory)
        return read(directory, "data.bin"), read(directory, "data.prg")
    if form == "xa":
        write(directory, "data.asm", source)
        tool_run(["xa", "-o", "data.bin", "data.asm"], directory)
        return read(directory, "data.bin"), None
    if form == "ca65":
        write(directory, "data.s", source)
        write(directory, "data.cfg", LD65_CONFIG.encode())
        tool_run(["ca65", "-o", "data.o", "data.s"], directory)
        tool_run(["ld65", "-C", "data.cfg", "-o", "data.bin", "data.o"], directory)
        return read(directory, "data.bin"), None
    # C: the array printed by a program compiled around it.
    name = re.search(rb"unsigned char (\w+)\[\]", source).group(1).decode()
    write(directory, "data.c", source)
    write(directory, "main.c", C_PROGRAM.replace("NAME", name).encode())
    tool_run(["gcc", "-std=c99", "-Wall", "-Werror", "-o", "main", "main.c"], directory)
    return tool_run([os.path.join(directory, "main")], directory), None


def basic_bytes(source, origin):
    """The values of the DATA lines, as the machine would READ them, after
    checking every line; the loader, with an origin, must POKE them there."""
    data = []
    number = 0
    loader = None
    for line in source.decode("ascii").splitlines():
        if len(line) > 80:
            raise RuntimeError("a line of %d characters: %s" % (len(line), line))
        match = re.fullmatch(r"(\d+) (DATA (\d+(?:,\d+)*)|FOR A=(\d+) TO (\d+):READ B:POKE A,B:NEXT)", line)
        if not match or not number < int(match.group(1)) <= 63999:
            raise RuntimeError("not a BASIC line that follows the one before: " + line)
        number = int(match.group(1))
        if match.group(3):
            values = [int(value) for value in match.group(3).split(",")]
            if any(value > 255 for value in values):
                raise RuntimeError("a value past 255: " + line)
            data += values
        else:
            loader = (int(match.group(4)), int(match.group(5)))
    if origin is not None and loader != (origin, origin + len(data) - 1):
        raise RuntimeError("the loader %r does not POKE the %d bytes to %d" % (loader, len(data), origin))
    if origin is None and loader is not None:
        raise RuntimeError("a loader without an origin")
    return bytes(data)


def origin_of(content, options):
    if "-S" in options:
        return int(options[options.index("-S") + 1], 0)
    if "-L" not in options:
        return None
    seek = int(options[options.index("-s") + 1]) if "-s" in options else 0
    return content[0] + 256 * content[1] + seek


def check_row(target, form, directory, options, has_origin, name, content):
    executable, argv = target.command(target.program, ["--source=" + form] + options + [name])

    class NoCase:
        env = []
    dumped = subprocess.run(argv, executable=executable, cwd=directory, capture_output=True,
                            env=target.environment(NoCase()), timeout=120)
    label = "%s %s" % (" ".join(options), name)
    if dumped.returncode != 0 or dumped.stderr:
        return "%s: --source failed (%d): %r" % (label, dumped.returncode, dumped.stderr)
    source = dumped.stdout.replace(b"\r\n", b"\n")
    expected = shown_bytes(content, options)
    if not expected:
        # No byte to show, no source: not even an origin.
        return None if not source else "%s: source without bytes: %r" % (label, source)
    try:
        with tempfile.TemporaryDirectory(dir=directory) as work:
            if form == "basic":
                back, prg = basic_bytes(source, origin_of(content, options) if has_origin else None), None
            else:
                back, prg = assemble(form, source, has_origin, work)
    except RuntimeError as problem:
        return "%s: %s" % (label, problem)
    if back != expected:
        return "%s: %d bytes back instead of %d" % (label, len(back), len(expected))
    if prg is not None and has_origin:
        origin = origin_of(content, options)
        if prg != bytes([origin & 0xFF, origin >> 8 & 0xFF]) + expected:
            return "%s: the assembler's PRG does not load the bytes at $%04x" % (label, origin)
        if options == ["-L"] and prg != content:
            return "%s: the assembler's PRG is not the program" % label
    return None


def main():
    target, args = target_from_command_line(
        __doc__.splitlines()[0], lambda parser: parser.add_argument("--format", required=True, choices=TOOLS))
    missing = [tool for tool in TOOLS[args.format] if not shutil.which(tool)]
    if missing:
        print("skipped: %s not installed (Debian packages acme, cc65, 64tass, xa65, gcc)" % ", ".join(missing))
        return SKIPPED
    failures = []
    checked = 0
    with tempfile.TemporaryDirectory() as directory:
        for name, content in PROGRAMS.items():
            write(directory, name, content)
        for options, has_origin in ROWS:
            for name, content in PROGRAMS.items():
                checked += 1
                failure = check_row(target, args.format, directory, options, has_origin, name, content)
                if failure:
                    failures.append(failure)
    return report(failures, "source round trips [%s, %s]" % (args.format, args.target),
                  "%d checked, %d failed" % (checked, len(failures)))


if __name__ == "__main__":
    sys.exit(main())
