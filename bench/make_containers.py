#!/usr/bin/env python3
"""Writes the benchmark's containers into a directory:

- entry-20M.t64: a T64 archive of one entry of 20 MiB, for the memory of a
  seek from the end inside an entry (-s -15000000), which must stay that of
  a FILE;
- headers.g64: a crafted G64 of 35 tracks of 64 KB each, full of header
  blocks, holding one file whose chain changes track at every sector, for
  the time of reading a file from a GCR image, which must stay in
  proportion to the tracks it touches.

    python3 bench/make_containers.py DIRECTORY"""

import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "golden"))
import gcr_writer  # noqa: E402

TRACKS = 35
LONGEST_TRACK = 65000  # bytes: the track length field holds 16 bits
FILE_NAME = b"HEADERS"


def t64_of_one_entry(size):
    """The converter's placeholder end address: the entry runs to the end."""
    header = b"C64S tape image file".ljust(32, b"\0") + struct.pack("<HHH", 0x100, 1, 1) + b"\0\0"
    header += b"BENCH".ljust(24, b" ")
    slot = bytes([1, 0x82]) + struct.pack("<HHHI", 0x0801, 0xC3C6, 0, 0x60) + bytes(4) + b"BIG".ljust(16, b" ")
    return header + slot + bytes(range(256)) * (size // 256)


def sector_offset(track, sector):
    return (sum(gcr_writer.sectors_on(t, "d64") for t in range(1, track)) + sector) * 256


def d64_with_track_changing_file():
    """A D64 whose one file takes every sector but the directory track's,
    sector 0 of each track first, then sector 1 of each, and so on."""
    chain = [(track, sector) for sector in range(21) for track in range(1, TRACKS + 1)
             if track != 18 and sector < gcr_writer.sectors_on(track, "d64")]
    image = bytearray(683 * 256)
    for index, (track, sector) in enumerate(chain):
        at = sector_offset(track, sector)
        image[at:at + 2] = bytes(chain[index + 1]) if index + 1 < len(chain) else bytes([0, 255])
        image[at + 2:at + 256] = bytes((index + k) & 255 for k in range(254))
    bam = sector_offset(18, 0)
    image[bam:bam + 4] = bytes([18, 1, 0x41, 0])
    image[bam + 0x90:bam + 0xA0] = FILE_NAME.ljust(16, b"\xa0")
    image[bam + 0xA2:bam + 0xA7] = b"HB\xa02A"
    entry = sector_offset(18, 1)
    image[entry:entry + 2] = bytes([0, 255])
    image[entry + 2:entry + 5] = bytes([0x82]) + bytes(chain[0])
    image[entry + 5:entry + 21] = FILE_NAME.ljust(16, b"\xa0")
    image[entry + 30:entry + 32] = struct.pack("<H", len(chain))
    return bytes(image)


def g64_full_of_headers(image):
    """Each track: its sectors, then header blocks naming its sector 0 up to
    the longest track."""
    disk_id = image[sector_offset(18, 0) + 0xA2:sector_offset(18, 0) + 0xA4]
    tracks = []
    for track in range(1, TRACKS + 1):
        bits = "".join(gcr_writer.sector_bits(track, sector, image[sector_offset(track, sector):][:256], disk_id, None)
                       for sector in range(gcr_writer.sectors_on(track, "d64")))
        header = bytes([0x08, track ^ disk_id[1] ^ disk_id[0], 0, track, disk_id[1], disk_id[0], 0x0F, 0x0F])
        filler = gcr_writer.SYNC + gcr_writer.gcr_bits(header)
        bits += filler * ((LONGEST_TRACK * 8 - len(bits)) // len(filler))
        tracks.append(gcr_writer.track_bytes(bits, 0))
    head = b"GCR-1541" + bytes([0, 84]) + struct.pack("<H", max(len(t) for t in tracks))
    table_end = len(head) + 8 * 84
    offsets, speeds, body = [0] * 84, [0] * 84, b""
    for track, data in enumerate(tracks, 1):
        offsets[gcr_writer.half_track(track, "d64")] = table_end + len(body)
        speeds[gcr_writer.half_track(track, "d64")] = 3
        body += struct.pack("<H", len(data)) + data
    return head + struct.pack("<84I", *offsets) + struct.pack("<84I", *speeds) + body


def main():
    if len(sys.argv) != 2:
        print(__doc__.splitlines()[-1].strip(), file=sys.stderr)
        return 2
    directory = sys.argv[1]
    with open(os.path.join(directory, "entry-20M.t64"), "wb") as out:
        out.write(t64_of_one_entry(20 * 1024 * 1024))
    with open(os.path.join(directory, "headers.g64"), "wb") as out:
        out.write(g64_full_of_headers(d64_with_track_changing_file()))
    return 0


if __name__ == "__main__":
    sys.exit(main())
