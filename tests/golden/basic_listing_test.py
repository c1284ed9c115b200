#!/usr/bin/env python3
"""BASIC programs listed with --list and read back with -r --list.

A writer (cc1541 or cbmconvert) puts on a D64 image the sample program
(its BASIC line assembled byte by byte), a program that -r --list
tokenizes from the listing below, and programs that cc65 compiles for
each machine (their SYS line, then machine code), when cl65 is there.
Each program lists the same from the image as from its file, the listing
read back with -r --list is the program byte for byte, the tokenized
program lists as the listing it came from, a cc65 program's SYS line is
followed by the dump of its code from the address it names, and the
image's `$` lists the header, one line per file and the free blocks.

Runs the program like the golden cases do (natively, under qemu-i386 or
Wine): same arguments as run_golden.py, and --writer."""

import os
import re
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from disk_image_writers_test import WRITERS, Program, local_name  # noqa: E402
from harness.kit_report import report  # noqa: E402
from harness.launch import target_from_command_line  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

MENU = """10 PRINT "{clr}{wht}{rvon} MENU {rvof}"
20 FOR I=1 TO 3:READ A$:PRINT I;A$:NEXT
30 DATA GAME,"SCORES, TOP",END
40 GET K$:IF K$="" THEN 40
50 ON VAL(K$) GOTO 100,200
60 REM {pound}{uparrow} SEE PAGE 2
100 POKE 53280,0:SYS 2061
200 PRINT CHR$(147);TAB(10)"BYE"{pi}
"""

# cl65's target, the dialect both sides name, the start of BASIC there.
CC65_TARGETS = [("c64", "2", 0x0801), ("vic20", "2", 0x1001), ("plus4", "3.5", 0x1001), ("c128", "7", 0x1C01),
                ("pet", "4", 0x0401)]


def compiled_programs(directory):
    """(name, dialect, bytes) of a small C program for each machine."""
    if not shutil.which("cl65"):
        return []
    source = os.path.join(directory, "hi.c")
    with open(source, "w") as out:
        out.write('#include <stdio.h>\nint main(void) { puts("HI"); return 0; }\n')
    programs = []
    for machine, dialect, _ in CC65_TARGETS:
        output = os.path.join(directory, machine + ".out")
        subprocess.run(["cl65", "-t", machine, "-o", output, source], check=True, capture_output=True)
        with open(output, "rb") as program:
            programs.append(("cc65 " + machine, dialect, program.read()))
    return programs


def check_compiled(program, name, dialect, content, listed):
    """The SYS line and the code from the address it names."""
    lines = listed.decode("ascii").splitlines()
    sys_line = re.fullmatch(r"\d+ SYS ?(\d+)", lines[0]) if lines else None
    if not sys_line:
        return ["%s: no SYS line: %r" % (name, lines[:1])]
    load = content[0] | content[1] << 8
    code = int(sys_line.group(1))
    if len(lines) < 2 or not lines[1].startswith("%04x: " % code) or code <= load:
        return ["%s: the code does not follow from %04x: %r" % (name, code, lines[1:2])]
    return []


def check_program(program, image, name, dialect, content, source=None):
    """Lists the same from the file and from the image, and reads back."""
    failures = []
    dialect_option = ["--list=" + dialect] if dialect else ["--list"]
    code, from_file, errors = program.run(dialect_option + ["--ascii", local_name(name, "PRG")])
    code_in_image, from_image, _ = program.run(dialect_option + ["--ascii", image + ":" + name])
    if code != 0 or errors or code_in_image != 0 or from_image != from_file:
        failures.append("%s: lists differently from the image (%d, %r)" % (name, code, errors))
    if source is not None and from_file.decode("ascii") != source:
        failures.append("%s: lists as\n%s" % (name, from_file.decode("ascii")))
    listing = os.path.join(program.directory, name + ".txt")
    with open(listing, "wb") as out:
        out.write(from_file)
    load = content[0] | content[1] << 8
    code, back, errors = program.run(["-r"] + dialect_option + ["-S", "0x%04x" % load, listing])
    if code != 0 or back != content:
        failures.append("%s: reads back as other bytes (%d, %r)" % (name, code, errors))
    return failures, from_file


def check_directory(program, image, names):
    code, listed, errors = program.run(["--list", "--ascii", image + ":$"])
    lines = listed.decode("ascii").splitlines()
    entries = [re.match(r'\d+ +"([^"]*)" +PRG', line) for line in lines[1:-1]]
    if (code != 0 or errors or not lines or not lines[0].startswith('0 {rvon}"')
            or not lines[-1].endswith("BLOCKS FREE.") and not lines[-1].rstrip().endswith("BLOCKS FREE.")
            or [entry.group(1).lower() if entry else None for entry in entries] != names):
        return ["the directory lists as %r" % lines]
    return []


def main():
    target, args = target_from_command_line(
        __doc__.splitlines()[0], lambda p: p.add_argument("--writer", choices=sorted(WRITERS), required=True))
    if not shutil.which(args.writer):
        print("%s is not installed (bash tests/run-all.sh installs it)" % args.writer, file=sys.stderr)
        return 1
    failures = []
    with tempfile.TemporaryDirectory() as directory:
        program = Program(target, directory)
        menu_source = os.path.join(directory, "menu.txt")
        with open(menu_source, "w") as out:
            out.write(MENU)
        code, menu, errors = program.run(["-r", "--list", menu_source])
        if code != 0:
            failures.append("the menu is not tokenized: %r" % errors)
        with open(os.path.join(ROOT, "samples", "hello.prg"), "rb") as sample:
            hello = sample.read()
        programs = [("hello", None, hello, None), ("menu", None, menu, MENU)]
        programs += [(name, dialect, content, None) for name, dialect, content in compiled_programs(directory)]
        files = [(name, "PRG", content) for name, _, content, _ in programs]
        for name, file_type, content in files:
            with open(os.path.join(directory, local_name(name, file_type)), "wb") as out:
                out.write(content)
        image = "basic.d64"
        subprocess.run(WRITERS[args.writer]("d64", files, os.path.join(directory, image)), cwd=directory,
                       check=True, capture_output=True)
        for name, dialect, content, source in programs:
            found, listed = check_program(program, image, name, dialect, content, source)
            failures += found
            if name.startswith("cc65") and not found:
                failures += check_compiled(program, name, dialect, content, listed)
        failures += check_directory(program, image, [name for name, _, _, _ in programs])
    return report(failures, "BASIC listings on %s images [%s]" % (args.writer, args.target))


if __name__ == "__main__":
    sys.exit(main())
