#!/usr/bin/env python3
"""Files and directory listings inside disk images that real tools made.

A writer (cc1541 or cbmconvert, which allocate and interleave sectors each
their own way) builds a D64, a D71 and a D81 image from a few files at run
time (one sector, exactly three sectors, a single byte, a name with
shifted letters, and a long file that spans tracks and, on the D71, both
sides). For each image:
- every file dumps exactly as the source file dumps, under several option
  sets (load address, seek and length, width, text modes);
- `$` parses as a BASIC program loaded at $0401 whose links chain its lines,
  whose header holds the disk name and id the image holds (each writer
  names a disk its own way), whose entries are exactly the files with their
  block counts and types, in the order written, and whose last line gives
  the free blocks: the free sectors of the BAM's bitmaps, the directory
  track (and on a D71 track 53) not counted.

Runs the program like the golden cases do (natively, under qemu-i386 or
Wine): same arguments as run_golden.py, and --writer."""

import os
import re
import shlex
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from harness.content import random_bytes  # noqa: E402
from harness.kit_report import report  # noqa: E402
from harness.launch import target_from_command_line  # noqa: E402

OPTION_SETS = [[], ["-L"], ["-L", "-s", "300", "-l", "1000"], ["-w", "8", "--ascii", "--hex-upper"],
               ["-L", "-s", "70000", "--turbo"], ["-s", "5", "-l", "0"], ["--lowercase", "-S", "$c000", "-w", "32"]]


def source_files(long_size):
    """(name as typed to the writer, type, bytes) of the files every image
    gets; cbmconvert takes the name and type from the local name."""
    return [("one", "PRG", b"\x01\x08" + random_bytes(98, 1)),
            ("exact", "PRG", random_bytes(254 * 3, 2)),
            ("byte", "SEQ", b"\x2a"),
            ("MiXed", "USR", random_bytes(300, 4)),  # both writers shift the capitals: $C1-$DA
            ("long file", "PRG", b"\x00\x10" + random_bytes(long_size - 2, 3))]


def local_name(name, file_type):
    return "%s.%s" % (name, file_type.lower())


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


def cc1541_command(kind, files, image):
    command = ["cc1541", "-q", "-n", "hexloom test", "-i", "hx 2a"]
    for name, file_type, _ in files:
        command += ["-T", file_type, "-f", name, "-w", local_name(name, file_type)]
    return command + [image]


def cbmconvert_command(kind, files, image):
    option = {"d64": "-D4", "d71": "-D7", "d81": "-D8"}[kind]
    return ["cbmconvert", "-v0", "-i0", option, image, "-n"] + [local_name(name, t) for name, t, _ in files]


WRITERS = {"cc1541": cc1541_command, "cbmconvert": cbmconvert_command}


def make_image(directory, writer, kind, files):
    image = "disk." + kind
    for name, file_type, data in files:
        with open(os.path.join(directory, local_name(name, file_type)), "wb") as out:
            out.write(data)
    subprocess.run(WRITERS[writer](kind, files, image), cwd=directory, check=True, capture_output=True)
    if writer == "cc1541" and kind == "d71":
        fill_second_side_counts(os.path.join(directory, image))
    with open(os.path.join(directory, image), "rb") as made:
        return image, made.read()


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


D64_HEADER, D71_SIDE_TWO_BAM = 357 * 256, (683 + 357) * 256  # 18/0; 53/0
D81_HEADER = 39 * 40 * 256                                   # 40/0, then the BAM at 40/1 and 40/2


def sectors_on(track):
    track = (track - 1) % 35 + 1
    return 21 if track <= 17 else 19 if track <= 24 else 18 if track <= 30 else 17


def set_bits(bitmap, sectors):
    return bin(int.from_bytes(bitmap, "little") & ((1 << sectors) - 1)).count("1")


def free_in_bitmaps(data, kind):
    """The sectors the BAM's bitmaps mark free, outside the directory track
    (18, or 40 on a D81) and a 1571's second BAM track (53)."""
    if kind == "d81":
        return sum(set_bits(data[D81_HEADER + 256 * (1 + (track - 1) // 40) + 0x11 + 6 * ((track - 1) % 40):][:5], 40)
                   for track in range(1, 81) if track != 40)
    free = sum(set_bits(data[D64_HEADER + 5 + 4 * (track - 1):][:3], sectors_on(track))
               for track in range(1, 36) if track != 18)
    if kind == "d71":
        free += sum(set_bits(data[D71_SIDE_TWO_BAM + 3 * (track - 36):][:3], sectors_on(track))
                    for track in range(36, 71) if track != 53)
    return free


def header_text(data, kind):
    """The listing's header line as the image holds it: reverse on, the disk
    name in quotes, the id and DOS type, padding shown as spaces."""
    at = D81_HEADER + 0x04 if kind == "d81" else D64_HEADER + 0x90
    spaced = data[at:at + 23].replace(b"\xa0", b" ")
    return b'\x12"' + spaced[:16] + b'" ' + spaced[18:]


def dumped_bytes(output):
    """The bytes of a dump made with -w 1: the first field after each address."""
    return bytes(int(line.split(b": ")[1][:2], 16) for line in output.splitlines())


def petscii_name(text):
    """The name as both writers store it: lower-case letters as PETSCII's
    upper case ($41-$5A), capitals shifted ($C1-$DA)."""
    return bytes(ord(c) - 0x20 if c.islower() else ord(c) | 0x80 if c.isupper() else ord(c) for c in text)


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


def check_listing(listing, data, kind, files):
    load, lines = parse_listing(listing)
    assert load == 0x0401, "load address $%04x" % load
    header, entries, last = lines[0], lines[1:-1], lines[-1]
    assert header == (0, header_text(data, kind)), "header %r, expected %r" % (header, header_text(data, kind))
    expected = [(blocks_of(len(content)), petscii_name(name), file_type) for name, file_type, content in files]
    found = []
    for number, text in entries:
        match = re.fullmatch(rb' {1,3}"([^"]*)" +([A-Z]{3}) *', text)
        assert match and len(text) == 27, "entry line %r" % text
        found.append((number, match.group(1), match.group(2).decode()))
    assert found == expected, "entries %r, expected %r" % (found, expected)
    free = free_in_bitmaps(data, kind)
    assert last == (free, b"BLOCKS FREE." + b" " * 13), "last line %r, expected %d free" % (last, free)


def check_image(program, directory, writer, kind, long_size):
    files = source_files(long_size)
    image, data = make_image(directory, writer, kind, files)
    failures = []
    for name, file_type, _ in files:
        local = local_name(name, file_type)
        for options in OPTION_SETS:
            inside = program.run(options + ["%s:%s" % (image, name.lower())])
            alone = program.run(options + [local])
            if inside != alone or inside[2] or (not inside[1] and options != ["-s", "5", "-l", "0"]):
                failures.append("%s:%s %s differs from %s (exit %d/%d, stderr %r)"
                                % (image, name, shlex.join(options), local, inside[0], alone[0], inside[2]))
    status, out, err = program.run(["-w", "1", image + ":$"])
    try:
        assert status == 0 and not err, "exit %d, stderr %r" % (status, err)
        check_listing(dumped_bytes(out), data, kind, files)
    except (AssertionError, ValueError, IndexError) as problem:
        failures.append("%s:$ %s" % (image, problem))
    return failures


def main():
    target, args = target_from_command_line(
        __doc__.splitlines()[0], lambda p: p.add_argument("--writer", choices=sorted(WRITERS), required=True))
    if not shutil.which(args.writer):
        print("%s is not installed (bash tests/run-all.sh installs it)" % args.writer, file=sys.stderr)
        return 1
    failures = []
    for kind, long_size in (("d64", 70000), ("d71", 200000), ("d81", 200000)):
        with tempfile.TemporaryDirectory() as directory:
            failures += check_image(Program(target, directory), directory, args.writer, kind, long_size)
    return report(failures, "%s images [%s]" % (args.writer, args.target))


if __name__ == "__main__":
    sys.exit(main())
