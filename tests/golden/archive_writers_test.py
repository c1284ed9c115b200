#!/usr/bin/env python3
"""Files and listings inside archives: Lynx archives and PC64 files that
cbmconvert writes, and T64 tape archives that this kit writes from the
format's description (cbmconvert reads them back, which checks the writer).

For each archive:
- every entry dumps exactly as its source file dumps, under several option
  sets, by name and by entry number;
- `$` is a BASIC program at $0401 whose header holds the archive's name,
  whose entries are the files with their blocks and types in order, and
  whose last line is "0 BLOCKS FREE.".
A T64 whose every end address is the one a widely used converter wrote
($C3C6) still delivers each entry exactly, its length taken from the offsets.

Same arguments as run_golden.py."""

import os
import re
import shlex
import shutil
import struct
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from disk_image_writers_test import OPTION_SETS, Program, dumped_bytes, parse_listing, petscii_name  # noqa: E402
from harness.content import random_bytes  # noqa: E402
from harness.kit_report import report  # noqa: E402
from harness.launch import target_from_command_line  # noqa: E402

# (local name, listed name, type, bytes); T64 archives hold only PRGs.
FILES = [("one.prg", "one", "PRG", b"\x01\x08" + random_bytes(98, 1)),
         ("exact.prg", "exact", "PRG", random_bytes(254 * 3, 2)),
         ("byte.seq", "byte", "SEQ", b"\x2a"),
         ("MiXed.usr", "MiXed", "USR", random_bytes(300, 4)),
         ("long.prg", "long", "PRG", b"\x00\x10" + random_bytes(40000, 3))]
PROGRAMS = [f for f in FILES if f[2] == "PRG"] + [("empty.prg", "empty", "PRG", b"\x00\xc0")]
T64_PLACEHOLDER_END = 0xC3C6


def blocks_of(size):
    return max(1, (size + 253) // 254)


def write_t64(path, files, tape_name=b"HEXLOOM TAPE", end_address=None):
    """A T64 of PRG files: header, one slot per file and two free slots, the
    data one after another, without the load addresses."""
    slots = len(files) + 2
    offset = 0x40 + 32 * slots
    header = b"C64S tape image file".ljust(32, b"\0") + struct.pack("<HHHH", 0x0101, slots, len(files), 0)
    header += tape_name.ljust(24, b" ")
    directory, data = b"", b""
    for _, name, _, content in files:
        start = content[0] | content[1] << 8
        end = end_address if end_address is not None else (start + len(content) - 2) & 0xFFFF
        directory += struct.pack("<BBHHHII", 1, 0x82, start, end, 0, offset + len(data), 0)
        directory += petscii_name(name).ljust(16, b" ")
        data += content[2:]
    with open(path, "wb") as out:
        out.write(header + directory + b"\0" * 64 + data)


def cbmconvert(directory, *args):
    subprocess.run(["cbmconvert", "-v0"] + list(args), cwd=directory, check=True, capture_output=True)


def check_t64_writer(directory, archive, files):
    """cbmconvert extracts every file of the kit's T64 as it was written."""
    out = os.path.join(directory, "extracted")
    os.mkdir(out)
    cbmconvert(out, "-N", "-t", os.path.join("..", archive))
    failures = []
    for _, name, _, content in files:
        path = os.path.join(out, name.lower() + ".prg")
        if not os.path.exists(path) or open(path, "rb").read() != content:
            failures.append("%s: cbmconvert does not read %s back as written" % (archive, name))
    return failures


def check_entries(program, archive, files, selectors):
    failures = []
    for (local, _, _, _), selector in zip(files, selectors):
        for options in OPTION_SETS:
            inside = program.run(options + ["%s:%s" % (archive, selector)])
            alone = program.run(options + [local])
            if inside != alone or inside[2]:
                failures.append("%s:%s %s differs from %s (exit %d/%d, stderr %r)"
                                % (archive, selector, shlex.join(options), local, inside[0], alone[0], inside[2]))
    return failures


def check_listing(program, archive, header_name, files):
    status, out, err = program.run(["-w", "1", archive + ":$"])
    try:
        assert status == 0 and not err, "exit %d, stderr %r" % (status, err)
        load, lines = parse_listing(dumped_bytes(out))
        assert load == 0x0401, "load address $%04x" % load
        expected_header = b'\x12"' + header_name.ljust(16, b" ") + b'" ' + b" " * 5
        assert lines[0] == (0, expected_header), "header %r" % (lines[0],)
        found = []
        for number, text in lines[1:-1]:
            match = re.fullmatch(rb' {1,3}"([^"]*)" +([A-Z]{3}) *', text)
            assert match and len(text) == 27, "entry line %r" % text
            found.append((number, match.group(1), match.group(2).decode()))
        expected = [(blocks_of(len(content)), petscii_name(name), kind) for _, name, kind, content in files]
        assert found == expected, "entries %r, expected %r" % (found, expected)
        assert lines[-1] == (0, b"BLOCKS FREE." + b" " * 13), "last line %r" % (lines[-1],)
        return []
    except (AssertionError, ValueError, IndexError) as problem:
        return ["%s:$ %s" % (archive, problem)]


def write_sources(directory, files):
    for local, _, _, content in files:
        with open(os.path.join(directory, local), "wb") as out:
            out.write(content)


def check_lynx(program, directory):
    write_sources(directory, FILES)
    cbmconvert(directory, "-L", "games.lnx", "-n", *[local for local, _, _, _ in FILES])
    by_name = [name.lower() for _, name, _, _ in FILES]
    return (check_entries(program, "games.lnx", FILES, by_name)
            + check_entries(program, "games.lnx", FILES, ["#%d" % (i + 1) for i in range(len(FILES))])
            + check_listing(program, "games.lnx", b"GAMES", FILES))


def check_pc64(program, directory):
    write_sources(directory, FILES)
    cbmconvert(directory, "-P", "-n", *[local for local, _, _, _ in FILES])
    failures = []
    for entry in FILES:
        local, name, kind, _ = entry
        archive = "%s.%s00" % (name.lower(), kind[0].lower())
        failures += check_entries(program, archive, [entry], [name.lower()])
        failures += check_entries(program, archive, [entry], ["#1"])
        failures += check_listing(program, archive, petscii_name(name), [entry])
    return failures


def check_t64(program, directory):
    write_sources(directory, PROGRAMS)
    write_t64(os.path.join(directory, "tape.t64"), PROGRAMS)
    write_t64(os.path.join(directory, "placeholder.t64"), PROGRAMS, end_address=T64_PLACEHOLDER_END)
    by_name = [name for _, name, _, _ in PROGRAMS]
    return (check_t64_writer(directory, "tape.t64", PROGRAMS)
            + check_entries(program, "tape.t64", PROGRAMS, by_name)
            + check_entries(program, "placeholder.t64", PROGRAMS, ["#%d" % (i + 1) for i in range(len(PROGRAMS))])
            + check_listing(program, "tape.t64", b"HEXLOOM TAPE", PROGRAMS))


def main():
    target, args = target_from_command_line(__doc__.splitlines()[0])
    if not shutil.which("cbmconvert"):
        print("cbmconvert is not installed (bash tests/run-all.sh installs it)", file=sys.stderr)
        return 1
    failures = []
    for check in (check_lynx, check_pc64, check_t64):
        with tempfile.TemporaryDirectory() as directory:
            failures += check(Program(target, directory), directory)
    return report(failures, "archives [%s]" % args.target)


if __name__ == "__main__":
    sys.exit(main())
