#!/usr/bin/env python3
"""GCR images (G64, G71) against the sector images of the same disks.

- cc1541 writes a D64 and, with -g, the G64 of the same files; the test
  kit's own writer (gcr_writer.py) writes the G71 of a D71 that cc1541
  made, its tracks turned round by a few bits so that no sync is on a byte
  boundary and a block goes on over each track's end. Every file and `$`
  of the GCR image dump exactly as those of the sector image, under several
  option sets.
- One case per error a drive reports: the test kit writes a G64 with the
  fault in one sector (a file's second sector, or the directory's header),
  and the program says and shows exactly what it does for the D64 whose
  error byte for that sector records the same error.

Runs the program like the golden cases do: same arguments as run_golden.py."""

import os
import shlex
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import disk_image_writers_test as writers  # noqa: E402
import gcr_writer  # noqa: E402
from harness.kit_report import report  # noqa: E402
from harness.launch import target_from_command_line  # noqa: E402

LONG_FILE = "long file"

# (what is wrong, where (see fault_place), selector).
FAULT_CASES = [
    ("header checksum", "second", LONG_FILE),
    ("no header", "second", LONG_FILE),
    ("no data block", "second", LONG_FILE),
    ("data checksum", "second", LONG_FILE),
    ("bad code in data", "second", LONG_FILE),
    ("no sync on track", "next track", LONG_FILE),
    ("data checksum", (18, 0), "$"),
]
FAULT_OPTIONS = ["-L", "-s", "200"]


def cc1541_images(directory, kind, files):
    """The sector image cc1541 writes, and for a D64 the G64 it writes beside it."""
    for name, file_type, data in files:
        with open(os.path.join(directory, writers.local_name(name, file_type)), "wb") as out:
            out.write(data)
    command = writers.cc1541_command(kind, files, "disk." + kind)
    if kind == "d64":
        command[-1:-1] = ["-g", "disk.g64"]
    subprocess.run(command, cwd=directory, check=True, capture_output=True)
    if kind == "d71":
        writers.fill_second_side_counts(os.path.join(directory, "disk.d71"))
    with open(os.path.join(directory, "disk." + kind), "rb") as made:
        return made.read()


def write(directory, name, data):
    with open(os.path.join(directory, name), "wb") as out:
        out.write(data)


def compare(program, gcr, sector_image, selectors, option_sets, quiet=True):
    failures = []
    for selector in selectors:
        for options in option_sets:
            got = program.run(options + ["%s:%s" % (gcr, selector)])
            want = program.run(options + ["%s:%s" % (sector_image, selector)])
            want = (want[0], want[1], want[2].replace(sector_image.encode(), gcr.encode()))
            if got != want or (quiet and got[2]):
                failures.append("%s:%s %s differs from %s (exit %d/%d, stderr %r)"
                                % (gcr, selector, shlex.join(options), sector_image, got[0], want[0], got[2]))
    return failures


def chain_of(image, name):
    """The sectors of the named file in the D64, from its entry in the first directory sector."""
    directory = 357 * 256 + 256
    for slot in range(8):
        entry = image[directory + 32 * slot:directory + 32 * slot + 32]
        if entry[5:21].rstrip(b"\xa0") == writers.petscii_name(name):
            chain, place = [], (entry[3], entry[4])
            while place[0] != 0:
                chain.append(place)
                offset = sum(gcr_writer.sectors_on(t, "d64") for t in range(1, place[0])) + place[1]
                place = (image[offset * 256], image[offset * 256 + 1])
            return chain
    raise AssertionError("no entry for %r" % name)


def fault_place(image, where):
    """"second": the long file's second sector; "next track": its first
    sector on another track than its first; else the place itself."""
    if where == "second":
        return chain_of(image, LONG_FILE)[1]
    if where == "next track":
        chain = chain_of(image, LONG_FILE)
        return next(place for place in chain if place[0] != chain[0][0])
    return where


def check_fault(program, directory, image, fault, where, selector):
    place = fault_place(image, where)
    faults = {(place[0], 0) if fault == "no sync on track" else place: fault}
    write(directory, "fault.g64", gcr_writer.write_gcr(image, "d64", faults))
    write(directory, "fault.d64", gcr_writer.error_bytes_for(image, "d64", faults))
    got = program.run(FAULT_OPTIONS + ["fault.g64:" + selector])
    error = gcr_writer.FAULTS[fault] + 18
    failures = compare(program, "fault.g64", "fault.d64", [selector], [FAULT_OPTIONS], quiet=False)
    if b"(error %d, " % error not in got[2]:
        failures.append("%s in %d/%d: stderr %r" % (fault, place[0], place[1], got[2]))
    return [failure.replace("fault.g64", "fault.g64 (%s)" % fault) for failure in failures]


def main():
    target, args = target_from_command_line(__doc__.splitlines()[0])
    if not shutil.which("cc1541"):
        print("cc1541 is not installed (bash tests/run-all.sh installs it)", file=sys.stderr)
        return 1
    failures = []
    for kind, long_size in (("d64", 70000), ("d71", 200000)):
        with tempfile.TemporaryDirectory() as directory:
            program = writers.Program(target, directory)
            files = writers.source_files(long_size)
            image = cc1541_images(directory, kind, files)
            if kind == "d71":
                write(directory, "disk.g71", gcr_writer.write_gcr(image, kind, turn=lambda track: 3 + 97 * track))
            selectors = [name.lower() for name, _, _ in files] + ["$", "#3"]
            gcr = "disk.g64" if kind == "d64" else "disk.g71"
            failures += compare(program, gcr, "disk." + kind, selectors, writers.OPTION_SETS)
            if kind == "d64":
                for fault, where, selector in FAULT_CASES:
                    failures += check_fault(program, directory, image, fault, where, selector)
    return report(failures, "GCR images [%s]" % args.target)


if __name__ == "__main__":
    sys.exit(main())
