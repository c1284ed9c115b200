#!/usr/bin/env python3
"""Files inside D80 and D82 images and chips inside cartridge images.

No Debian tool writes these, so the test writes them at run time from the
formats' description:
- a D80 and a D82 image (8050 and 8250 disks) holding the same few files as
  the D64 test, the long one crossing a speed zone (D80) or both sides
  (D82); each file dumps exactly as the source file does under several
  option sets, and `$` lists exactly the files, the free blocks being every
  sector outside the directory track that no file and no BAM sector uses;
- a C64 cartridge (two 8K chips in bank 0, a short chip with padding in
  bank 1) and a VIC-20 one: each chip, as `#N` and by its bank, dumps as the
  PRG of its load address and data, and `$` lists each chip with its bank,
  load address and size under the cartridge's name and hardware type.

Same arguments as run_golden.py."""

import os
import re
import shlex
import struct
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from disk_image_writers_test import (OPTION_SETS, Program, blocks_of, dumped_bytes, local_name,  # noqa: E402
                                     parse_listing, petscii_name, source_files)
from harness.content import random_bytes  # noqa: E402
from harness.kit_report import report  # noqa: E402
from harness.launch import target_from_command_line  # noqa: E402

# --- PET disks ---------------------------------------------------------------

PET_TRACKS = {"d80": 77, "d82": 154}
DIRECTORY_TRACK, BAM_TRACK = 39, 38
# Where each image's long file starts: over a zone border, or over the sides.
FIRST_FILE_TRACK = {"d80": 52, "d82": 76}


def pet_sectors_on(track):
    track = (track - 1) % 77 + 1
    return 29 if track <= 39 else 27 if track <= 53 else 25 if track <= 64 else 23


def pet_offset(track, sector):
    return 256 * (sum(pet_sectors_on(t) for t in range(1, track)) + sector)


def bam_sectors(kind):
    return [3 * part for part in range((PET_TRACKS[kind] + 49) // 50)]


def free_sectors(kind):
    """Every sector of the disk in allocation order, the BAM and directory
    tracks left out, starting at the kind's first file track."""
    tracks = list(range(FIRST_FILE_TRACK[kind], PET_TRACKS[kind] + 1)) + list(range(1, FIRST_FILE_TRACK[kind]))
    for track in tracks:
        if track not in (DIRECTORY_TRACK, BAM_TRACK):
            for sector in range(pet_sectors_on(track)):
                yield track, sector


def write_pet_disk(kind, files, disk_name=b"PET TEST", disk_id=b"PT"):
    """The image's bytes: files laid out sector after sector, a directory
    sector at 39/1, the BAM with counts and bitmaps, the header at 39/0."""
    tracks = PET_TRACKS[kind]
    image = bytearray(pet_offset(tracks + 1, 0))
    used = {(BAM_TRACK, sector) for sector in bam_sectors(kind)} | {(DIRECTORY_TRACK, 0), (DIRECTORY_TRACK, 1)}
    sectors = free_sectors(kind)
    directory = pet_offset(DIRECTORY_TRACK, 1)
    image[directory:directory + 2] = b"\x00\xff"
    for slot, (name, file_type, data) in enumerate(files):
        chunks = [data[i:i + 254] for i in range(0, len(data), 254)] or [b""]
        places = [next(sectors) for _ in chunks]
        used.update(places)
        for index, (chunk, (track, sector)) in enumerate(zip(chunks, places)):
            at = pet_offset(track, sector)
            link = bytes(places[index + 1]) if index + 1 < len(places) else bytes([0, len(chunk) + 1])
            image[at:at + 2 + len(chunk)] = link + chunk
        entry = directory + 32 * slot
        type_byte = 0x80 | ["DEL", "SEQ", "PRG", "USR", "REL"].index(file_type)
        image[entry + 2:entry + 5] = bytes([type_byte]) + bytes(places[0])
        image[entry + 5:entry + 21] = petscii_name(name).ljust(16, b"\xa0")
        image[entry + 30:entry + 32] = len(chunks).to_bytes(2, "little")
    for part, bam_sector in enumerate(bam_sectors(kind)):
        at = pet_offset(BAM_TRACK, bam_sector)
        first, last = 1 + 50 * part, min(50 * part + 50, tracks)
        following = bam_sectors(kind)[part + 1:]
        image[at:at + 6] = bytes([BAM_TRACK if following else 0, following[0] if following else 0xff, 0x43, 0,
                                  first, last + 1])
        for track in range(first, last + 1):
            free = [sector for sector in range(pet_sectors_on(track)) if (track, sector) not in used]
            bitmap = sum(1 << sector for sector in free).to_bytes(4, "little")
            image[at + 6 + 5 * (track - first):at + 11 + 5 * (track - first)] = bytes([len(free)]) + bitmap
    header = pet_offset(DIRECTORY_TRACK, 0)
    image[header:header + 3] = bytes([BAM_TRACK, 0, 0x43])
    image[header + 6:header + 0x1D] = disk_name.ljust(16, b"\xa0") + b"\xa0\xa0" + disk_id + b"\xa02C"
    expected_free = sum(pet_sectors_on(track) for track in range(1, tracks + 1) if track != DIRECTORY_TRACK) \
        - len([place for place in used if place[0] != DIRECTORY_TRACK])
    return bytes(image), expected_free


def check_pet_disk(program, directory, kind):
    files = source_files({"d80": 30000, "d82": 40000}[kind])
    image_name = "disk." + kind
    data, expected_free = write_pet_disk(kind, files)
    write(directory, image_name, data)
    failures = []
    for name, file_type, content in files:
        local = local_name(name, file_type)
        write(directory, local, content)
        failures += compare_dumps(program, "%s:%s" % (image_name, name.lower()), local)
    expected = [(blocks_of(len(content)), petscii_name(name), file_type) for name, file_type, content in files]

    def check(lines):
        header, entries, last = lines[0], lines[1:-1], lines[-1]
        assert header == (0, b'\x12"PET TEST        " PT 2C'), "header %r" % (header,)
        found = [(number,) + entry_match(rb' {1,3}"([^"]*)" +([A-Z]{3}) *', text) for number, text in entries]
        found = [(number, name, file_type.decode()) for number, name, file_type in found]
        assert found == expected, "entries %r, expected %r" % (found, expected)
        assert last == (expected_free, b"BLOCKS FREE." + b" " * 13), "last line %r, %d free" % (last, expected_free)
    return failures + check_listing(program, image_name, check)


# --- Cartridges --------------------------------------------------------------

def chip_packet(bank, load_address, data, padding=0):
    return b"CHIP" + struct.pack(">IHHHH", 16 + len(data) + padding, 0, bank, load_address, len(data)) + data \
        + b"\xff" * padding


def write_cartridge(signature, hardware_type, name, chips):
    header = signature + struct.pack(">IHHBB", 0x40, 0x0100, hardware_type, 0, 0) + bytes(6) + name.ljust(32, b"\0")
    return header + b"".join(chip_packet(*chip) for chip in chips)


CARTRIDGES = [
    ("c64.crt", b"C64 CARTRIDGE   ", 32, b"Hexloom easyflash cart",
     [(0, 0x8000, random_bytes(8192, 11)), (0, 0xA000, random_bytes(8192, 12)), (1, 0x8000, b"\x4c\x00\x80", 13)],
     b"HEXLOOM EASYFLAS", b"   32"),
    ("vic.crt", b"VIC20 CARTRIDGE ", 0, b"VIC", [(0, 0xA000, random_bytes(4096, 13))], b"VIC             ", b"    0"),
]


def check_cartridge(program, directory, file_name, signature, hardware_type, name, chips, shown_name, shown_type):
    write(directory, file_name, write_cartridge(signature, hardware_type, name, chips))
    failures = []
    first_of_bank = {}
    for number, (bank, load_address, data, *_) in enumerate(chips, 1):
        local = "chip%d.prg" % number
        write(directory, local, struct.pack("<H", load_address) + data)
        failures += compare_dumps(program, "%s:#%d" % (file_name, number), local)
        first_of_bank.setdefault(bank, local)
    for bank, local in first_of_bank.items():
        failures += compare_dumps(program, "%s:%d" % (file_name, bank), local, OPTION_SETS[:2])
    expected = [(blocks_of(2 + len(data)), b'"%d" %04X %04X' % (bank, load_address, len(data)))
                for bank, load_address, data, *_ in chips]

    def check(lines):
        header, entries, last = lines[0], lines[1:-1], lines[-1]
        assert header == (0, b'\x12"' + shown_name + b'" ' + shown_type), "header %r" % (header,)
        found = [(number,) + entry_match(rb' {1,3}("[0-9]+" [0-9A-F]{4} [0-9A-F]{4}) +PRG *', text)
                 for number, text in entries]
        assert found == expected, "entries %r, expected %r" % (found, expected)
        assert last == (0, b"BLOCKS FREE." + b" " * 13), "last line %r" % (last,)
    return failures + check_listing(program, file_name, check)


# --- Shared ------------------------------------------------------------------

def write(directory, name, data):
    with open(os.path.join(directory, name), "wb") as out:
        out.write(data)


def compare_dumps(program, inside, alone, option_sets=OPTION_SETS):
    failures = []
    for options in option_sets:
        got, wanted = program.run(options + [inside]), program.run(options + [alone])
        if got != wanted or got[2] or (not got[1] and options != ["-s", "5", "-l", "0"]):
            failures.append("%s %s differs from %s (exit %d/%d, stderr %r)"
                            % (inside, shlex.join(options), alone, got[0], wanted[0], got[2]))
    return failures


def entry_match(pattern, text):
    """The groups of an entry line of the listing's 27 bytes of text."""
    match = re.fullmatch(pattern, text)
    assert match and len(text) == 27, "entry line %r" % text
    return match.groups()


def check_listing(program, container, check):
    status, out, err = program.run(["-w", "1", container + ":$"])
    try:
        assert status == 0 and not err, "exit %d, stderr %r" % (status, err)
        load, lines = parse_listing(dumped_bytes(out))
        assert load == 0x0401, "load address $%04x" % load
        check(lines)
    except (AssertionError, ValueError, IndexError) as problem:
        return ["%s:$ %s" % (container, problem)]
    return []


def main():
    target, args = target_from_command_line(__doc__.splitlines()[0])
    failures = []
    with tempfile.TemporaryDirectory() as directory:
        program = Program(target, directory)
        for kind in PET_TRACKS:
            failures += check_pet_disk(program, directory, kind)
        for cartridge in CARTRIDGES:
            failures += check_cartridge(program, directory, *cartridge)
    return report(failures, "PET disks and cartridges [%s]" % args.target)


if __name__ == "__main__":
    sys.exit(main())
