"""A GCR image writer for the tests: a D64 or D71 image's sectors as the
bit stream a 1541 or 1571 writes on each track, in a G64 or G71 file.

Each sector on its track: a sync, the header block, a gap, a sync, the
data block, a gap. A fault can be written into any sector (see FAULTS), and
each track's bits can be turned round by some bits, so that its syncs fall
between byte boundaries and its last block goes on over the track's end."""

import struct

CODES = [0b01010, 0b01011, 0b10010, 0b10011, 0b01110, 0b01111, 0b10110, 0b10111,
         0b01001, 0b11001, 0b11010, 0b11011, 0b01101, 0b11101, 0b11110, 0b10101]
SYNC, GAP = "1" * 40, "01010101" * 9

# What goes wrong in a sector, with the error byte a D64 keeps for it.
FAULTS = {
    "header checksum": 0x09,     # error 27
    "no header": 0x02,           # error 20
    "no data block": 0x04,       # error 22
    "data checksum": 0x05,       # error 23
    "bad code in data": 0x06,    # error 24
    "no sync on track": 0x03,    # error 21: the whole track is a gap
}


def sectors_on(track, kind):
    track = (track - 1) % 35 + 1 if kind == "d71" else track
    return 21 if track <= 17 else 19 if track <= 24 else 18 if track <= 30 else 17


def gcr_bits(data):
    return "".join("{:05b}{:05b}".format(CODES[byte >> 4], CODES[byte & 15]) for byte in data)


def xor(data):
    value = 0
    for byte in data:
        value ^= byte
    return value


def sector_bits(track, sector, data, disk_id, fault):
    id1, id2 = disk_id
    header = bytes([0x08, sector ^ track ^ id2 ^ id1 ^ (1 if fault == "header checksum" else 0),
                    sector, track, id2, id1, 0x0F, 0x0F])
    block = bytes([0x07]) + data + bytes([xor(data) ^ (1 if fault == "data checksum" else 0), 0, 0])
    data_bits = gcr_bits(block)
    if fault == "bad code in data":
        data_bits = data_bits[:100] + "00000" + data_bits[105:]
    bits = "" if fault == "no header" else SYNC + gcr_bits(header) + GAP
    return bits + ("" if fault == "no data block" else SYNC + data_bits) + GAP


def half_track(track, kind):
    """The table entry of a whole track: a G71 keeps 84 entries a side, as
    the real ones do (side 2's track 36 at entry 84, entries 70 to 83 empty)."""
    return 84 + 2 * (track - 36) if kind == "d71" and track > 35 else 2 * (track - 1)


def track_bytes(bits, turn):
    """The bits turned round by `turn` (the last ones first), padded to whole
    bytes with gap bits."""
    bits += "01" * ((-len(bits) % 8) // 2)
    bits = bits[-turn:] + bits[:-turn] if turn else bits
    return bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))


def write_gcr(image, kind, faults=None, turn=lambda track: 0):
    """The G64 (from a D64) or G71 (from a D71) of the image's bytes. faults
    maps (track, sector) to a name of FAULTS."""
    faults = faults or {}
    tracks = 35 if kind == "d64" else 70
    disk_id = image[357 * 256 + 0xA2:357 * 256 + 0xA4]
    half_tracks = 84 if kind == "d64" else 168
    encoded, offset = [], 0
    for track in range(1, tracks + 1):
        if faults.get((track, 0)) == "no sync on track":
            bits = GAP * 800
        else:
            bits = ""
            for sector in range(sectors_on(track, kind)):
                data = image[(offset + sector) * 256:(offset + sector + 1) * 256]
                bits += sector_bits(track, sector, data, disk_id, faults.get((track, sector)))
        offset += sectors_on(track, kind)
        encoded.append(track_bytes(bits, turn(track)))
    largest = max(len(t) for t in encoded)
    head = (b"GCR-1541" if kind == "d64" else b"GCR-1571") + bytes([0, half_tracks]) + struct.pack("<H", largest)
    table_end = len(head) + 8 * half_tracks
    offsets, speeds, body = [0] * half_tracks, [0] * half_tracks, b""
    for track, data in enumerate(encoded, 1):
        offsets[half_track(track, kind)] = table_end + len(body)
        speeds[half_track(track, kind)] = 3
        body += struct.pack("<H", len(data)) + data
    return head + struct.pack("<%dI" % half_tracks, *offsets) + struct.pack("<%dI" % half_tracks, *speeds) + body


def error_bytes_for(image, kind, faults):
    """The D64 with error bytes that says what the faults do."""
    tracks = 35 if kind == "d64" else 70
    errors, at = bytearray(), {}
    for track in range(1, tracks + 1):
        for sector in range(sectors_on(track, kind)):
            at[(track, sector)] = len(errors)
            errors.append(1)
    for (track, sector), fault in faults.items():
        if fault == "no sync on track":
            for s in range(sectors_on(track, kind)):
                errors[at[(track, s)]] = FAULTS[fault]
        else:
            errors[at[(track, sector)]] = FAULTS[fault]
    return image + bytes(errors)
