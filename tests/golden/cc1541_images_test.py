#!/usr/bin/env python3
"""Files and directory listings inside disk images that a real tool made.

cc1541 builds a D64, a D71 and a D81 image from a few files at run time
(one sector, exactly three sectors, a single byte, and a long file that
spans tracks and, on the D71, both sides). For each image:
- every file dumps exactly as the source file dumps, under several option
  sets (load address, seek and length, width, text modes);
- `$` parses as a BASIC program loaded at $0401 whose links chain its lines,
  whose header holds the disk name and id, whose entries are exactly the
  files with their block counts and types, in the order written, and whose
  last line gives the free blocks: the disk's capacity (the directory track,
  and on a D71 track 53, not counted) less the files' blocks.

Runs the program like the golden cases do (natively, under qemu-i386 or
Wine): same arguments as run_golden.py."""

import argparse
import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness.content import random_bytes  # noqa: E402
from harness.launch import Target  # noqa: E402

DISK_NAME = "HEXLOOM TEST"
CAPACITY = {"d64": 664, "d71": 1328, "d81": 3160}  # free blocks of an empty disk, as the drives count them

OPTION_SETS = [[], ["-L"], ["-L", "-s", "300", "-l", "1000"], ["-w", "8", "--ascii", "--hex-upper"],
               ["-L", "-s", "70000", "--turbo"], ["-s", "5", "-l", "0"], ["--lowercase", "-S", "$c000", "-w", "32"]]


def source_files(long_size):
    """(disk name, local name, cc1541 type, bytes) of the files every image gets."""
    return [("ONE", "one.prg", "PRG", b"\x01\x08" + random_bytes(98, 1)),
            ("EXACT", "exact.prg", "PRG", random_bytes(254 * 3, 2)),
            ("BYTE", "byte.seq", "SEQ", b"\x2a"),
            ("LONG FILE", "long.prg", "PRG", b"\x00\x10" + random_bytes(long_size - 2, 3))]


class Program:
    def __init__(self, target, directory):
        self.target, self.directory = target, directory

    def run(self, args):
        executable, argv = self.target.command(self.target.program, args)

        class NoCase:
            env = []
        result = subprocess.run(argv, executable=executable, cwd=self.directory, capture_output=True,
                                env=self.target.environment(NoCase()), timeout=120)
        return result.returncode, result.stdout, result.stderr


def blocks_of(size):
    return max(1, (size + 253) // 254)


def make_image(directory, kind, files):
    image = "disk." + kind
    command = ["cc1541", "-q", "-n", DISK_NAME.lower(), "-i", "hx 2a"]  # lower case: PETSCII $41-$5A
    for disk_name, local, file_type, data in files:
        with open(os.path.join(directory, local), "wb") as out:
            out.write(data)
        command += ["-T", file_type, "-f", disk_name.lower(), "-w", local]
    subprocess.run(command + [image], cwd=directory, check=True, capture_output=True)
    if kind == "d71":
        fill_second_side_counts(os.path.join(directory, image))
    return image


def fill_second_side_counts(path):
    """A 1571 keeps the free count of each track of the second side in the
    first BAM sector (18/0, bytes $DD-$FF) besides its bitmap at 53/0;
    cc1541 writes only the bitmaps, so the counts are made from them here."""
    with open(path, "r+b") as image:
        data = bytearray(image.read())
        bam, side_two = 357 * 256, (683 + 357) * 256
        for track in range(36, 71):
            bitmap = data[side_two + 3 * (track - 36):side_two + 3 * (track - 36) + 3]
            data[bam + 0xDD + track - 36] = sum(bin(byte).count("1") for byte in bitmap)
        image.seek(0)
        image.write(data)


def dumped_bytes(output):
    """The bytes of a dump made with -w 1: the first field after each address."""
    return bytes(int(line.split(b": ")[1][:2], 16) for line in output.splitlines())


def petscii_name(text):
    return text.upper().encode("ascii")


def parse_listing(program_bytes):
    """(load address, lines as (number, text)) of a BASIC program, following
    and checking its links; the text of each line without its zero byte."""
    load = program_bytes[0] | program_bytes[1] << 8
    body, address, lines = program_bytes[2:], load, []
    position = 0
    while True:
        link = body[position] | body[position + 1] << 8
        if link == 0:
            assert position + 2 == len(body), "bytes after the end of the program"
            return load, lines
        number = body[position + 2] | body[position + 3] << 8
        end = body.index(0, position + 4)
        lines.append((number, body[position + 4:end]))
        address += end + 1 - position
        assert link == address, "line %d links to $%04x, the next line is at $%04x" % (len(lines), link, address)
        position = end + 1


def check_listing(listing, kind, files):
    load, lines = parse_listing(listing)
    assert load == 0x0401, "load address $%04x" % load
    header, entries, last = lines[0], lines[1:-1], lines[-1]
    assert header[0] == 0 and header[1][:2] == b"\x12\x22", header
    assert header[1][2:18] == petscii_name(DISK_NAME).ljust(16), header
    assert header[1][18:] == b'" HX 2A', header
    expected = [(blocks_of(len(data)), petscii_name(name), file_type) for name, _, file_type, data in files]
    found = []
    for number, text in entries:
        match = re.fullmatch(rb' {1,3}"([^"]*)" +([A-Z]{3}) *', text)
        assert match and len(text) == 27, "entry line %r" % text
        found.append((number, match.group(1), match.group(2).decode()))
    assert found == expected, "entries %r, expected %r" % (found, expected)
    free = CAPACITY[kind] - sum(blocks for blocks, _, _ in expected)
    assert last == (free, b"BLOCKS FREE." + b" " * 13), "last line %r, expected %d free" % (last, free)


def check_image(program, directory, kind, long_size):
    files = source_files(long_size)
    image = make_image(directory, kind, files)
    failures = []
    for name, local, _, _ in files:
        for options in OPTION_SETS:
            inside = program.run(options + ["%s:%s" % (image, name.lower())])
            alone = program.run(options + [local])
            if inside != alone or inside[2] or (not inside[1] and options != ["-s", "5", "-l", "0"]):
                failures.append("%s:%s %s differs from %s (exit %d/%d, stderr %r)"
                                % (image, name, shlex.join(options), local, inside[0], alone[0], inside[2]))
    status, out, err = program.run(["-w", "1", image + ":$"])
    try:
        assert status == 0 and not err, "exit %d, stderr %r" % (status, err)
        check_listing(dumped_bytes(out), kind, files)
    except (AssertionError, ValueError, IndexError) as problem:
        failures.append("%s:$ %s" % (image, problem))
    return failures


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--emulator", default="")
    parser.add_argument("--launcher")
    parser.add_argument("--target", default="x86_64/Linux")
    args = parser.parse_args()
    if not shutil.which("cc1541"):
        print("cc1541 is not installed (bash tests/run-all.sh installs it)", file=sys.stderr)
        return 1
    target = Target(args.program, shlex.split(args.emulator), args.target, args.launcher)
    failures = []
    for kind, long_size in (("d64", 70000), ("d71", 200000), ("d81", 200000)):
        with tempfile.TemporaryDirectory() as directory:
            failures += check_image(Program(target, directory), directory, kind, long_size)
    for failure in failures:
        print("FAILED: " + failure)
    print("cc1541 images [%s]: %s" % (args.target, "%d failures" % len(failures) if failures else "all passed"))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
