#!/usr/bin/env python3
"""The inputs of the whole_program_image fuzz target, in the form
whole_program_image_fuzz.cpp reads: a command line and the sectors of an image
that are not zero.

    python3 fuzz/image_inputs.py                     writes the seeds again
    python3 fuzz/image_inputs.py --show INPUT [DIR]  writes the image of an input
                                                     (a crash, say) to DIR and
                                                     prints its command line

The seeds are images that cc1541 and cbmconvert make from a few small files,
and D80, D82, cartridge images and TAP tapes the test kit writes ("kit"),
each with a command line (a G64 with only the tracks that hold the files).
"""

import os
import shlex
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
CORPUS = os.path.join(HERE, "corpus", "whole_program_image")

# Bits of the flag word, in the target's order.
FLAGS = ["-L", "-c", "-H", "--0x", "--turbo", "--ascii", "-U", "-C", "--Epath", "--Enewline", "-v", "-q"]
# The target's edge numbers; a choice of 1 to 12 picks one, odd choices are written in decimal.
EDGES = [0, 1, 2, 3, 253, 254, 255, 256, 257, 508, 65535, 65536]
# Size 0: an archive, as long as its blocks reach (at most ARCHIVE_BLOCKS of them).
SIZES = [(174848, ".d64"), (175531, ".d64"), (196608, ".d64"), (197376, ".d64"),
         (349696, ".d71"), (351062, ".d71"), (819200, ".d81"), (822400, ".d81"),
         (533248, ".d80"), (1066496, ".d82"), (16384, ".crt"),
         (0, ".t64"), (0, ".p00"), (0, ".lnx"), (16072, ".g64"), (0, ".tap")]
SIZE_INDEX = {".d64": 0, ".d71": 4, ".d81": 6, ".d80": 8, ".d82": 9, ".crt": 10, ".t64": 11, ".p00": 12, ".lnx": 13,
              ".g64": 14, ".tap": 15}
ARCHIVE_BLOCKS = 256
# A G64 seed keeps only the tracks that hold the directory and, as cc1541
# writes them, the files: 84 half-tracks, two tracks of 7692 bytes (16072 bytes).
G64_TRACKS = (1, 18)
SELECTOR_KIND = {"$": 0, "$:": 1, "name": 2, "*": 3}

# (CBM name, type, bytes): one sector, three sectors, and a file of one byte.
FILES = [
    ("GAME", "prg", bytes([0x01, 0x08]) + bytes(range(0x20, 0x60))),
    ("LOG", "seq", bytes((i * 7) & 0xFF for i in range(600))),
    ("ONE", "usr", b"\x41"),
]

# (seed name, tool, extension, flags, {-s, -l, -w, -S: value}, selector kind, pattern)
SEEDS = [
    ("cc1541-d64-listing", "cc1541", ".d64", [], {}, "$", ""),
    ("cc1541-d64-load-first", "cc1541", ".d64", ["-L"], {}, "*", ""),
    ("cc1541-d71-seek-one", "cc1541", ".d71", [], {"-s": 1}, "name", "ONE"),
    ("cc1541-d81-pattern", "cc1541", ".d81", ["-c", "-H", "--turbo"], {}, "$:", "L*"),
    ("cbmconvert-d64-width-len", "cbmconvert", ".d64", [], {"-w": 8, "-l": 300}, "name", "LOG"),
    ("cbmconvert-d71-listing-ascii", "cbmconvert", ".d71", ["--ascii", "--Epath"], {}, "$", ""),
    ("cbmconvert-d81-seek-two", "cbmconvert", ".d81", ["-L", "-U", "--0x"], {"-s": 2, "-S": 4096}, "*", ""),
    ("kit-d80-listing", "kit", ".d80", [], {}, "$", ""),
    ("kit-d82-log", "kit", ".d82", ["--ascii"], {"-w": 8}, "name", "LOG"),
    ("kit-crt-listing", "kit", ".crt", ["-L"], {}, "$", ""),
    ("kit-crt-bank-one", "kit", ".crt", ["-L", "-C"], {"-s": 1, "-l": 300}, "name", "1"),
    ("kit-t64-listing", "kit", ".t64", [], {}, "$", ""),
    ("kit-t64-load-name", "kit", ".t64", ["-L"], {"-s": 1}, "name", "LOG"),
    ("cbmconvert-p00-first", "cbmconvert", ".p00", ["-L"], {}, "*", ""),
    ("cbmconvert-lnx-listing", "cbmconvert", ".lnx", ["--ascii"], {}, "$:", "O*"),
    ("cbmconvert-lnx-width-len", "cbmconvert", ".lnx", [], {"-w": 8, "-l": 300}, "name", "LOG"),
    ("cc1541-g64-listing", "cc1541", ".g64", [], {}, "$", ""),
    ("cc1541-g64-load-pattern", "cc1541", ".g64", ["-L"], {"-w": 8}, "name", "L*"),
    ("kit-tap-listing", "kit", ".tap", ["-v"], {}, "$", ""),
    ("kit-tap-load-name", "kit", ".tap", ["-L"], {"-s": 1}, "name", "ONE"),
]

sys.path.insert(0, os.path.join(HERE, "..", "tests", "golden"))


def kit_tape():
    """A TAP file of the programs of FILES with short leaders (GAME's data
    damaged in its first copy), then a turbo loader's pulses, in 64 KiB."""
    import tap_writer
    tape = tap_writer.Tape(leaders=(60, 60))
    for name, kind, data in FILES:
        if kind != "seq":
            damage = ((5, "parity"), None) if name == "GAME" else (None, None)
            tape.program(name.encode("ascii"), b"\x01\x08" + data, data_damage=damage)
    tape.turbo(2000)
    return tape.tap(1)


def kit_image(extension):
    """A D80 or D82 of FILES, a cartridge of two chips that fills 16 KiB, or a tape."""
    if extension == ".tap":
        return kit_tape()
    import pet_and_cartridge_images_test as kit
    if extension == ".crt":
        chips = [(0, 0x8000, bytes(range(256)) * 32), (1, 0x8000, bytes((i * 5) & 0xFF for i in range(8096)))]
        return kit.write_cartridge(b"C64 CARTRIDGE   ", 19, b"seed", chips)
    return kit.write_pet_disk(extension[1:], [(name.lower(), kind.upper(), data) for name, kind, data in FILES])[0]


def compact_g64(g64):
    """The G64 with only G64_TRACKS, in a table of 84 half-tracks."""
    count = g64[9]
    offsets = struct.unpack_from("<%dI" % count, g64, 12)
    table, body = [0] * 84, b""
    for track in G64_TRACKS:
        at = offsets[2 * (track - 1)]
        length = g64[at] | g64[at + 1] << 8
        table[2 * (track - 1)] = 12 + 8 * 84 + len(body)
        body += g64[at:at + 2 + length]
    speeds = [3] * 84
    return g64[:9] + bytes([84]) + g64[10:12] + struct.pack("<84I", *table) + struct.pack("<84I", *speeds) + body


def make_image(tool, extension, folder):
    if tool == "kit" and extension != ".t64":
        return kit_image(extension)
    image = os.path.join(folder, "disk" + extension)
    if extension == ".g64":
        image = os.path.join(folder, "disk.d64")
    if tool == "kit":
        # The T64 writer of the golden tests; a T64 holds PRG files.
        sys.path.insert(0, os.path.join(HERE, "..", "tests", "golden"))
        from archive_writers_test import write_t64
        write_t64(image, [(None, name, kind, b"\x01\x08" + data) for name, kind, data in FILES])
    elif tool == "cc1541":
        command = ["cc1541", "-q", "-n", "seed", "-i", "sd 2a"]
        if extension == ".g64":
            command += ["-g", os.path.join(folder, "disk.g64")]
        for name, kind, data in FILES:
            local = os.path.join(folder, name.lower())
            with open(local, "wb") as out:
                out.write(data)
            command += ["-f", name.lower(), "-T", kind.upper(), "-w", local]
        subprocess.run(command + [image], check=True, stdout=subprocess.DEVNULL)
    else:
        locals_ = []
        for name, kind, data in FILES:
            local = os.path.join(folder, name.lower() + "." + kind)
            with open(local, "wb") as out:
                out.write(data)
            locals_.append(local)
        if extension == ".p00":
            subprocess.run(["cbmconvert", "-v0", "-P", "-n", locals_[0]], cwd=folder, check=True,
                           stdout=subprocess.DEVNULL)
            image = os.path.join(folder, "game.p00")
        else:
            option = {".d64": "-D4", ".d71": "-D7", ".d81": "-D8", ".lnx": "-L"}[extension]
            subprocess.run(["cbmconvert", "-v0", "-n", option, image] + locals_, check=True,
                           stdout=subprocess.DEVNULL)
    if extension == ".g64":
        with open(os.path.join(folder, "disk.g64"), "rb") as source:
            return compact_g64(source.read())
    with open(image, "rb") as source:
        return source.read()


def number_choice(value):
    if value in EDGES:
        return bytes([EDGES.index(value) + 1])
    return bytes([13]) + value.to_bytes(2, "big")


def seed_bytes(image, extension, flags, numbers, selector, pattern):
    word = sum(1 << FLAGS.index(flag) for flag in flags)
    out = word.to_bytes(2, "big")
    for option in ["-s", "-l", "-w", "-S"]:
        out += number_choice(numbers[option]) if option in numbers else b"\x00"
    out += bytes([SELECTOR_KIND[selector] | len(pattern) << 2]) + pattern.encode("ascii")
    out += bytes([SIZE_INDEX[extension]])
    for index in range((len(image) + 255) // 256):
        sector = image[index * 256:(index + 1) * 256]
        # An archive's last block is written even when zero: it gives the length.
        if any(sector) or (SIZES[SIZE_INDEX[extension]][0] == 0 and (index + 1) * 256 >= len(image)):
            out += index.to_bytes(2, "big") + sector
    return out


def show(path, folder):
    """Reads an input as the target does."""
    data = open(path, "rb").read()
    at = 0

    def byte():
        nonlocal at
        at += 1
        return data[at - 1] if at <= len(data) else 0

    def number():
        return byte() << 8 | byte()

    word = number()
    words = ["hexloom"] + [flag for bit, flag in enumerate(FLAGS) if word >> bit & 1]
    for option in ["-s", "-l", "-w", "-S"]:
        choice = byte()
        if choice:
            value = EDGES[choice - 1] if choice <= len(EDGES) else number()
            words += [option, str(value) if choice % 2 else "$%x" % value]
    choice = byte()
    pattern = bytes(byte() or 0xA0 for _ in range(choice >> 2 & 15)).decode("latin-1")
    selector = ["$", "$:" + pattern, pattern, "*"][choice & 3]
    size, extension = SIZES[byte() % len(SIZES)]
    image = bytearray(size)
    while len(data) - at > 2:
        index = number() % (size // 256 if size else ARCHIVE_BLOCKS)
        if len(image) < index * 256:
            image.extend(bytes(index * 256 - len(image)))
        sector = data[at:at + 256]
        at += len(sector)
        image[index * 256:index * 256 + len(sector)] = sector
    os.makedirs(folder, exist_ok=True)
    image_path = os.path.join(folder, "image" + extension)
    with open(image_path, "wb") as out:
        out.write(image)
    print(shlex.join(words + [image_path + ":" + selector]))


def main():
    if sys.argv[1:2] == ["--show"]:
        show(sys.argv[2], sys.argv[3] if len(sys.argv) > 3 else ".")
        return
    os.makedirs(CORPUS, exist_ok=True)
    for name, tool, extension, flags, numbers, selector, pattern in SEEDS:
        with tempfile.TemporaryDirectory() as folder:
            image = make_image(tool, extension, folder)
        with open(os.path.join(CORPUS, name), "wb") as out:
            out.write(seed_bytes(image, extension, flags, numbers, selector, pattern))


if __name__ == "__main__":
    main()
