#!/usr/bin/env python3
"""Dumps read back with -r give the bytes they were made from.

Each row dumps a file past $10000 bytes (four-digit, then five-digit
addresses) and one past $FFFFF (addresses that wrap) with one combination
of notation (or bits), digit case, width, colour and load address, the text mode
and the squeezing of equal lines (-a) changing from row to row, and reads
the dump back with -r (and -L when the dump was made with it): the bytes
must be the file's. A third file holds runs of equal lines longer than
$FFFFF bytes, whose five-digit addresses wrap within one run.

Runs the program like the golden cases do (natively, under qemu-i386 or
Wine): same arguments as run_golden.py."""

import itertools
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness.content import random_bytes  # noqa: E402
from harness.kit_report import report  # noqa: E402
from harness.launch import target_from_command_line  # noqa: E402

NOTATIONS = [[], ["--0x"], ["--turbo"]]
CASES = [[], ["-H"]]
WIDTHS = [["-w", "1"], [], ["-w", "65536"]]
COLOURS = [[], ["-C"]]
LOADS = [[], ["-L"]]
# Five of them, so that across the rows each meets every other option.
EXTRAS = [[], ["--ascii", "-a"], ["-c"], ["--ascii", "-c"], ["-a"]]
# Bits in place of the hex digits, which have no notation or case.
BITS = [["--bits"], ["--bits", "-w", "1", "-a", "--ascii"], ["--bits", "-L", "-w", "65536", "-c"],
        ["--bits", "-C", "-L", "-w", "13"]]

# A load address near the top of memory, so that -L takes the addresses
# past $FFFF at once.
FILES = {"past-10000.bin": b"\x00\xf0" + random_bytes(0x10100, 1),
         "past-fffff.bin": random_bytes(0x100400, 2),
         "runs.bin": bytes(0x180000) + random_bytes(100, 3) + b"\xff" * 0x20003}


def rows(target):
    # The Windows program colours the console only: its redirected dump is
    # the same with -C as without, and only slower to make.
    colours = [[]] if target.platform == "windows" else COLOURS
    combinations = itertools.product(NOTATIONS, CASES, WIDTHS, colours, LOADS)
    for index, parts in enumerate(combinations):
        yield sum(parts, []) + EXTRAS[index % len(EXTRAS)]
    for options in BITS:
        if "-C" not in options or colours != [[]]:
            yield options


def run(target, directory, args):
    executable, argv = target.command(target.program, args)

    class NoCase:
        env = []
    return subprocess.run(argv, executable=executable, cwd=directory, capture_output=True,
                          env=target.environment(NoCase()), timeout=300)


def check_row(target, directory, options, name, content):
    dumped = run(target, directory, options + [name])
    if dumped.returncode != 0:
        return "%s %s: the dump failed: %r" % (" ".join(options), name, dumped.stderr)
    with open(os.path.join(directory, "dump.txt"), "wb") as dump:
        dump.write(dumped.stdout)
    reverse = ["-r", "-L"] if "-L" in options else ["-r"]
    back = run(target, directory, reverse + ["dump.txt"])
    if back.returncode != 0 or back.stderr:
        return "%s %s: -r failed (%d): %r" % (" ".join(options), name, back.returncode, back.stderr)
    if back.stdout != content:
        at = next((i for i, (a, b) in enumerate(zip(back.stdout, content)) if a != b), None)
        return "%s %s: %d bytes back instead of %d, first difference at %s" % (
            " ".join(options), name, len(back.stdout), len(content), at)
    return None


def main():
    target, args = target_from_command_line(__doc__.splitlines()[0])
    failures = []
    checked = 0
    with tempfile.TemporaryDirectory() as directory:
        for name, content in FILES.items():
            with open(os.path.join(directory, name), "wb") as out:
                out.write(content)
        for options in rows(target):
            for name, content in FILES.items():
                checked += 1
                failure = check_row(target, directory, options, name, content)
                if failure:
                    failures.append(failure)
    return report(failures, "reverse round trips [%s]" % args.target,
                  "%d checked, %d failed" % (checked, len(failures)))


if __name__ == "__main__":
    sys.exit(main())
