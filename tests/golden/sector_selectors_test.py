#!/usr/bin/env python3
"""Sectors below the files, against the bytes of the image files they lie in.

- cc1541 writes a D64 (and the G64 of the same disk), a D71 and a D81 from
  the usual files, the test kit a D80 and a D82. A table of selectors gives
  the sectors of each image that they must cover: `--raw` gives exactly
  those bytes of the image file, and a `-v` dump of them (a line naming each
  sector, addresses running on from 0000) reads back with `-r` into them.
- Every sector of the G64 is the D64's: `--raw disk.g64:@1-35` is the D64.
- A file's own sectors (`NAME@`) are its chain's sectors whole, in chain
  order; the file itself with `-v` reads back with `-r -L` into the file.
- A damaged G64 (a data block with a bit pattern that is no GCR code, a
  sector without header): the sectors show as far as they decode, the rest
  as missing positions, then one warning names the first sector's error.

Same arguments as run_golden.py."""

import os
import re
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import disk_image_writers_test as writers  # noqa: E402
import gcr_writer  # noqa: E402
from gcr_images_test import cc1541_images, write  # noqa: E402
from harness.kit_report import report  # noqa: E402
from harness.launch import target_from_command_line  # noqa: E402
from pet_and_cartridge_images_test import pet_sectors_on, write_pet_disk  # noqa: E402

SECTORS_ON = {
    "d64": lambda track: gcr_writer.sectors_on(track, "d64"),
    "d71": lambda track: gcr_writer.sectors_on(track, "d71"),
    "d81": lambda track: 40,
    "d80": pet_sectors_on,
    "d82": pet_sectors_on,
}
DIRECTORY = {"d64": (18, 1), "d71": (18, 1), "d81": (40, 3), "d80": (39, 1), "d82": (39, 1)}

# (image, selector, first track, first sector, sectors): the selector covers
# that many sectors in the image's order from the first.
SELECTORS = [
    ("d64", "@18/0", 18, 0, 1),
    ("d64", "@$12/0x01", 18, 1, 1),
    ("d64", "@18", 18, 0, 19),
    ("d64", "@17/20-18/1", 17, 20, 3),
    ("d64", "@35/16", 35, 16, 1),
    ("d64", "@1-35", 1, 0, 683),
    ("g64", "@18/1", 18, 1, 1),
    ("g64", "@1-35", 1, 0, 683),
    ("d71", "@35-36", 35, 0, 17 + 21),
    ("d71", "@53/0", 53, 0, 1),
    ("d71", "@70/16", 70, 16, 1),
    ("d81", "@40", 40, 0, 40),
    ("d81", "@1/39-2/0", 1, 39, 2),
    ("d81", "@80/39", 80, 39, 1),
    ("d80", "@39/0", 39, 0, 1),
    ("d80", "@38/3", 38, 3, 1),
    ("d80", "@39/28-40/0", 39, 28, 2),
    ("d80", "@77", 77, 0, 23),
    ("d82", "@77/22-78/0", 77, 22, 2),
    ("d82", "@154/22", 154, 22, 1),
]
CHAINED = ["long file", "exact"]


def sector_offset(kind, track, sector):
    return 256 * (sum(SECTORS_ON[kind](t) for t in range(1, track)) + sector)


def chain(kind, image, first):
    """The places along the chain from `first`, as the image links them."""
    places, place = [], first
    while place[0] != 0:
        places.append(place)
        at = sector_offset(kind, *place)
        place = (image[at], image[at + 1])
    return places


def entry_chain(kind, image, name):
    for place in chain(kind, image, DIRECTORY[kind]):
        at = sector_offset(kind, *place)
        for slot in range(8):
            entry = image[at + 32 * slot:at + 32 * slot + 32]
            if entry[2] and entry[5:21].rstrip(b"\xa0") == writers.petscii_name(name):
                return chain(kind, image, (entry[3], entry[4]))
    raise AssertionError("no entry %r in the %s" % (name, kind))


def read_back(program, directory, dump_args, reverse_args=()):
    """The bytes that a dump made with dump_args gives back through -r."""
    code, dump, error = program.run(dump_args)
    if code != 0 or error:
        return None, "exit %d, stderr %r" % (code, error)
    write(directory, "dump.txt", dump)
    return program.run(["-r"] + list(reverse_args) + ["dump.txt"])[1], None


def check_covers(program, directory, path, selector, expected):
    failures = []
    got = program.run(["--raw", "%s:%s" % (path, selector)])
    if got != (0, expected, b""):
        failures.append("%s:%s --raw: exit %d, %d bytes, stderr %r, not the %d bytes it covers"
                        % (path, selector, got[0], len(got[1]), got[2], len(expected)))
    back, problem = read_back(program, directory, ["-v", "-a", "%s:%s" % (path, selector)])
    if back != expected:
        failures.append("%s:%s -v -a read back with -r: %s" % (path, selector, problem or "other bytes"))
    return failures


def hex_fields(dump):
    """The hex column of a dump, position by position ("--" for a missing one)."""
    fields = []
    for line in dump.decode("utf-8").splitlines():
        match = re.match(r"[0-9a-f]{4}: ((?:(?:[0-9a-f]{2}|--) )+)", line)
        if match:
            fields += match.group(1).split()
    return fields


def check_damaged_gcr(program, directory, image):
    """On a track the long file fills: sector 0 with a bit pattern in its
    data block that is no GCR code (error 24), sector 1 without header (20)."""
    track = entry_chain("d64", image, "long file")[5][0]
    faults = {(track, 0): "bad code in data", (track, 1): "no header"}
    write(directory, "damaged.g64", gcr_writer.write_gcr(image, "d64", faults))
    first = sector_offset("d64", track, 0)
    sectors = image[first:first + 3 * 256]
    decoded = 9  # the bad code is in the 11th byte of the block, after its mark
    want = ["%02x" % byte for byte in sectors[:decoded]] + ["--"] * (512 - decoded) + \
        ["%02x" % byte for byte in sectors[512:]]
    selector = "damaged.g64:@%d/0-%d/2" % (track, track)
    warning = b"hexloom: warning: '%s': the drive could not read track %d sector 0 (error 24, byte decoding) " \
              b"and 1 more sector\n" % (selector.encode(), track)
    failures = []
    code, dump, error = program.run(["--ascii", selector])
    if (code, error) != (0, warning) or hex_fields(dump) != want:
        failures.append("%s: exit %d, stderr %r, %s" % (selector, code, error, dump[:400]))
    # What a warning does to --raw's exit status is the run loop's rule, not the sectors'.
    code, raw, error = program.run(["--raw", selector])
    if (raw, error) != (sectors[:decoded] + sectors[512:], warning):
        failures.append("%s --raw: exit %d, %d bytes, stderr %r" % (selector, code, len(raw), error))
    return failures


def main():
    target, args = target_from_command_line(__doc__.splitlines()[0])
    if not shutil.which("cc1541"):
        print("cc1541 is not installed (bash tests/run-all.sh installs it)", file=sys.stderr)
        return 1
    failures = []
    with tempfile.TemporaryDirectory() as directory:
        program = writers.Program(target, directory)
        files = writers.source_files(70000)
        images = {kind: cc1541_images(directory, kind, files) for kind in ("d64", "d71", "d81")}
        images["g64"] = images["d64"]
        for kind in ("d80", "d82"):
            images[kind] = write_pet_disk(kind, files)[0]
            write(directory, "disk." + kind, images[kind])
        for kind, selector, track, sector, count in SELECTORS:
            layout = "d64" if kind == "g64" else kind
            first = sector_offset(layout, track, sector)
            failures += check_covers(program, directory, "disk." + kind, selector,
                                     images[kind][first:first + 256 * count])
        for kind in ("d64", "g64", "d81", "d82"):
            layout = "d64" if kind == "g64" else kind
            for name, _, data in (f for f in files if f[0] in CHAINED):
                places = entry_chain(layout, images[kind], name)
                whole = b"".join(images[kind][sector_offset(layout, *p):sector_offset(layout, *p) + 256]
                                 for p in places)
                failures += check_covers(program, directory, "disk." + kind, name + "@", whole)
                back, problem = read_back(program, directory, ["-v", "-L", "disk.%s:%s" % (kind, name)], ["-L"])
                if back != data:
                    failures.append("disk.%s:%s -v -L read back with -r -L: %s" % (kind, name, problem or "other bytes"))
        failures += check_damaged_gcr(program, directory, images["d64"])
    return report(failures, "sectors below the files [%s]" % args.target)


if __name__ == "__main__":
    sys.exit(main())
