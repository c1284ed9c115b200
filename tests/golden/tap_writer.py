"""A TAP file writer for the tests: files in the machine's own tape format
(the ROM's), as the pulses a tape drive's read head sees, in TAP versions 0,
1 and 2.

Every block is written twice, the first copy after the countdown $89..$81,
the repeat after $09..$01. A tape's speed can drift (each pulse is stretched
by `speed(pulse number)`), a copy of a block can be damaged (see DAMAGE), and
a tape can end in pulses of a turbo loader's own format."""

import struct

# Pulse lengths in TAP units (8 cycles) at the nominal speed.
SHORT, MEDIUM, LONG = 0x30, 0x42, 0x56
HEADER_LEADER, DATA_LEADER, REPEAT_LEADER, TRAILER = 0x6A00, 0x1A00, 79, 78

# What can go wrong in one byte of one copy: its parity bit flipped, one bit
# written as two medium pulses (no bit at all), or a wrong value with its
# parity right, which only the checksum shows (at the checksum's index: a
# wrong checksum).
DAMAGE = ("parity", "unreadable", "checksum")

RELOCATABLE, DATA_BLOCK, PROGRAM, DATA_HEADER, END_OF_TAPE = 1, 2, 3, 4, 5


def xor(data):
    value = 0
    for byte in data:
        value ^= byte
    return value


class Tape:
    """Pulses (in cycles) written one after another."""

    def __init__(self, speed=lambda pulse: 1.0, leaders=(HEADER_LEADER, DATA_LEADER)):
        self.pulses = []
        self.copies = []  # each copy's pulse numbers: "start" of its countdown, its "bytes", its "end"
        self.speed = speed
        self.header_leader, self.data_leader = leaders

    def pulse(self, units):
        self.pulses.append(max(8, round(units * 8 * self.speed(len(self.pulses)))))

    def byte(self, value, damage=None):
        self.pulse(LONG)
        self.pulse(MEDIUM)
        parity = 1 ^ bin(value).count("1") % 2
        if damage == "parity":
            parity ^= 1
        for index, bit in enumerate([(value >> i) & 1 for i in range(8)] + [parity]):
            if damage == "unreadable" and index == 3:
                self.pulse(MEDIUM)
                self.pulse(MEDIUM)
            else:
                self.pulse(MEDIUM if bit else SHORT)
                self.pulse(SHORT if bit else MEDIUM)

    def copy(self, data, repeat, leader, damage=None):
        """One copy of a block: leader, countdown, data, checksum, end
        marker. `damage` is (index, kind); the checksum's index is len(data)."""
        for _ in range(leader):
            self.pulse(SHORT)
        places = {"start": len(self.pulses), "bytes": []}
        for count in range(9, 0, -1):
            self.byte(count | (0 if repeat else 0x80))
        payload = list(data) + [xor(data)]
        for index, value in enumerate(payload):
            kind = damage[1] if damage and damage[0] == index else None
            if kind == "checksum":
                value ^= 0x01
                kind = None
            places["bytes"].append(len(self.pulses))
            self.byte(value, kind)
        places["end"] = len(self.pulses)
        self.copies.append(places)
        self.pulse(LONG)
        self.pulse(SHORT)

    def record(self, data, leader, damage_first=None, damage_repeat=None, repeat=True):
        self.copy(data, False, leader, damage_first)
        if repeat:
            self.copy(data, True, REPEAT_LEADER, damage_repeat)
        for _ in range(TRAILER):
            self.pulse(SHORT)

    def header(self, kind, name, start, end, damage=(None, None)):
        data = bytes([kind]) + struct.pack("<HH", start, end) + name.ljust(16, b" ") + bytes(171)
        self.record(data, self.header_leader, *damage)

    def program(self, name, content, kind=PROGRAM, header_damage=(None, None), data_damage=(None, None),
                data=True):
        """A PRG file: its first two bytes are the start address."""
        start = content[0] | content[1] << 8
        self.header(kind, name, start, (start + len(content) - 2) & 0xFFFF, header_damage)
        if data:
            self.record(content[2:], self.data_leader, *data_damage)

    def data_file(self, name, content):
        """A data file: its bytes in blocks of 191, the last padded with zeros."""
        self.header(DATA_HEADER, name, 0x033C, 0x03FC)
        content += bytes(-len(content) % 191)
        for at in range(0, len(content), 191):
            self.record(bytes([DATA_BLOCK]) + content[at:at + 191], self.data_leader)

    def end_of_tape(self):
        self.header(END_OF_TAPE, b"", 0x033C, 0x03FC)

    def turbo(self, count, seed=1):
        """A turbo loader's pulses: a leader of its own short pulse, then bits
        of one pulse each, short or long."""
        for _ in range(min(count, 500)):
            self.pulses.append(0x1A * 8)
        state = seed
        for _ in range(count - min(count, 500)):
            state = (state * 1103515245 + 12345) & 0x7FFFFFFF
            self.pulses.append((0x28 if state >> 16 & 1 else 0x1A) * 8)

    def pause(self, cycles):
        self.pulses.append(cycles)

    def place(self, pulse, version=1, clock=985248):
        """A pulse's place as a message names it: "12.3 s (pulse 4567)", the
        seconds counted from the lengths the TAP file holds."""
        def stored(cycles):
            return cycles // 8 * 8 if 0 < cycles // 8 < 256 else 2048 if version == 0 else cycles

        if version == 2:
            cycles = sum(stored(c // 2) + stored(c - c // 2) for c in self.pulses[:pulse])
        else:
            cycles = sum(stored(c) for c in self.pulses[:pulse])
        tenths = cycles * 10 // clock
        return "%d.%d s (pulse %d)" % (tenths // 10, tenths % 10, pulse + 1)

    def tap(self, version=1, platform=0, video=0):
        """The TAP file's bytes."""
        def value(cycles):
            if 0 < cycles // 8 < 256:
                return bytes([cycles // 8])
            return b"\0" if version == 0 else b"\0" + struct.pack("<I", cycles)[:3]

        if version == 2:
            data = b"".join(value(c // 2) + value(c - c // 2) for c in self.pulses)
        else:
            data = b"".join(value(c) for c in self.pulses)
        return b"C64-TAPE-RAW" + bytes([version, platform, video, 0]) + struct.pack("<I", len(data)) + data
