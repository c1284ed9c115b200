#!/usr/bin/env python3
"""Files on TAP tapes, which no Debian tool writes: the test kit writes them
(tap_writer.py) from the format's description, and each file must come back
byte for byte.

- Round trips: tapes in TAP versions 0, 1 and 2, at the ROM's speed, at a
  speed drifting by 8% either way and at a wobbling one, with damage in one
  copy of headers and data blocks (which the repeat mends, silently), a data
  file, pauses and a turbo loader's tail. Every file dumps as its source file
  does, by name and by number, under several option sets, and `$` lists them
  under the first file's name.
- Messages: each warning and note of a damaged or odd tape, with the bytes
  that come before it.

Same arguments as run_golden.py."""

import math
import os
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from archive_writers_test import check_entries, check_listing, write_sources  # noqa: E402
from disk_image_writers_test import Program, dumped_bytes, petscii_name  # noqa: E402
from harness.content import random_bytes  # noqa: E402
from harness.kit_report import report  # noqa: E402
from harness.launch import target_from_command_line  # noqa: E402
import tap_writer  # noqa: E402

# (local name, listed name, type, bytes); a data file's bytes fill whole blocks of 191.
FILES = [("one.prg", "one", "PRG", b"\x01\x08" + random_bytes(98, 1)),
         ("long.prg", "long", "PRG", b"\x00\x10" + random_bytes(40000, 3)),
         ("log.seq", "log", "SEQ", random_bytes(191 * 3, 5)),
         ("exact.prg", "exact", "PRG", b"\x00\xc0" + random_bytes(254 * 3 - 2, 2)),
         ("tiny.prg", "tiny", "PRG", b"\x00\x02\x2a")]
SHORT_LEADERS = (400, 120)


def write_files(tape, damage, pause=None):
    """The files on the tape, each program's header and data damaged in the
    copies `damage` names: {name: (header damage, data damage)}."""
    for _, name, kind, content in FILES:
        header_damage, data_damage = damage.get(name, ((None, None), (None, None)))
        if kind == "SEQ":
            tape.data_file(petscii_name(name), content)
        else:
            kind = tap_writer.RELOCATABLE if name == "long" else tap_writer.PROGRAM
            tape.program(petscii_name(name), content, kind=kind, header_damage=header_damage, data_damage=data_damage)
        if pause:
            tape.pause(pause)


ROUND_TRIPS = [
    ("version 1 as the ROM writes it, pauses, a turbo tail", 1, lambda p: 1.0,
     (tap_writer.HEADER_LEADER, tap_writer.DATA_LEADER),
     {"one": (((3, "checksum"), (50, "parity")), ((3, "unreadable"), None)),
      "long": (((7, "parity"), None), (None, (900, "checksum")))},
     5000 * 8, 30000),
    ("version 0, drifting from 8% slow to 8% fast over the tape, pauses", 0,
     lambda p: 1.08 - 0.16 * p / 1705000, SHORT_LEADERS,
     {"long": ((None, (0, "unreadable")), ((5000, "parity"), (100, "unreadable"))),
      "exact": (((192, "checksum"), None), ((0, "parity"), (761, "parity")))},
     5000 * 8, 0),
    ("version 2 (half-waves), a wobbling speed, pauses", 2, lambda p: 1 + 0.04 * math.sin(p / 800), SHORT_LEADERS,
     {"tiny": (((20, "unreadable"), (21, "parity")), ((1, "checksum"), None))}, 3000 * 8, 0),
]


def check_round_trip(program, directory, title, version, speed, leaders, damage, pause, tail):
    tape = tap_writer.Tape(speed=speed, leaders=leaders)
    write_files(tape, damage, pause)
    tape.turbo(tail)
    with open(os.path.join(directory, "t.tap"), "wb") as out:
        out.write(tape.tap(version))
    write_sources(directory, FILES)
    failures = (check_entries(program, "t.tap", FILES, [name for _, name, _, _ in FILES])
                + check_entries(program, "t.tap", FILES, ["#%d" % (i + 1) for i in range(len(FILES))])
                + check_listing(program, "t.tap", petscii_name(FILES[0][1]), FILES))
    for number, (local, name, _, content) in enumerate(FILES, 1):
        if program.run(["--raw", "t.tap:#%d" % number]) != (0, content, b""):
            failures.append("--raw t.tap:#%d does not give %s's bytes" % (number, name))
        if program.run(["-L", "-s", "-100", "t.tap:#%d" % number]) != program.run(["-L", "-s", "-100", local]):
            failures.append("-L -s -100 t.tap:#%d differs from %s" % (number, local))
    return ["%s: %s" % (title, failure) for failure in failures]


def listing(header, entries):
    """The BASIC program `$` gives for these (blocks, name, type) entries."""
    texts = [(0, b'\x12"' + header.ljust(16, b" ") + b'" ' + b" " * 5)]
    for blocks, name, kind in entries:
        text = b" " * (1 + (blocks < 100) + (blocks < 10)) + b'"' + name + b'"' + b" " * (17 - len(name)) + kind
        texts.append((blocks, text.ljust(27)))
    texts.append((0, b"BLOCKS FREE." + b" " * 13))
    program, address = b"\x01\x04", 0x0401
    for number, text in texts:
        address += 5 + len(text)
        program += bytes([address & 0xFF, address >> 8, number & 0xFF, number >> 8]) + text + b"\0"
    return program + b"\0\0"


GAME = b"\x01\x08" + random_bytes(600, 9)


def one_game(**options):
    tape = tap_writer.Tape(leaders=SHORT_LEADERS)
    tape.program(b"GAME", GAME, **options)
    return tape


def damaged_twice(kind):
    tape = one_game(data_damage=((100, kind), (100, kind)))
    return tape, tape.copies[2]["bytes"][100]


def cut_inside_data():
    tape = one_game()
    cut = tape.copies[2]["bytes"][300]
    tape.pulses = tape.pulses[:cut]
    return tape, cut


def header_without_data():
    tape = one_game(data=False)
    after_header = tape.copies[1]["end"] + 2
    tape.program(b"NEXT", b"\x00\x10\x01")
    return tape, after_header


def second_header_damaged():
    tape = one_game()
    tape.program(b"NEXT", b"\x00\x10\x01", header_damage=((5, "unreadable"), (5, "parity")))
    return tape, tape.copies[4]["bytes"][5]


def turbo_after_game():
    tape = one_game()
    turbo_from = len(tape.pulses)
    tape.turbo(5000)
    return tape, turbo_from


# (title, tape and the pulse the message names, arguments, bytes on standard
# output, the message after "hexloom: ")
MESSAGES = [
    ("both copies with a parity error", lambda: damaged_twice("parity"), ["t.tap:GAME"], GAME[:102],
     "warning: 't.tap:GAME': tape damaged at {place}: parity error in both copies of the data"),
    ("both copies with unreadable pulses", lambda: damaged_twice("unreadable"), ["t.tap:#1"], GAME[:102],
     "warning: 't.tap:#1': tape damaged at {place}: unreadable pulses in both copies of the data"),
    ("the data's only copy cut short", cut_inside_data, ["t.tap:GAME"], GAME[:302],
     "warning: 't.tap:GAME': tape damaged at {place}: too few bytes in the data's only copy"),
    ("a header without its data", header_without_data, ["t.tap:GAME"], GAME[:2],
     "warning: 't.tap:GAME': tape damaged at {place}: no data block after the header"),
    ("a header damaged in both copies", second_header_damaged, ["t.tap:NEXT"], b"",
     "warning: 't.tap:NEXT': tape damaged at {place}: unreadable pulses in both copies of the header"),
    ("no such file", lambda: (one_game(), 0), ["t.tap:OTHER"], b"",
     "warning: 't.tap:OTHER': no such file on the tape"),
    ("a turbo tail, told with -v", turbo_after_game, ["-v", "t.tap:$"], listing(b"GAME", [(3, b"GAME", b"PRG")]),
     "note: 't.tap:$': 5000 pulses from {place} to the end are in no format hexloom reads"),
]


def checksum_in_both_copies(program, directory):
    """Identical copies with a wrong checksum: every byte, then the warning
    at the first copy's countdown."""
    tape = one_game(data_damage=((600, "checksum"), (600, "checksum")))
    return check_message(program, directory, "a checksum error in both copies", tape, tape.copies[2]["start"],
                         ["t.tap:GAME"], GAME,
                         "warning: 't.tap:GAME': tape damaged at {place}: checksum error in both copies of the data")


def note_with_raw(program, directory):
    """A note is no warning: --raw of a listing that draws one still exits 0."""
    tape, turbo_from = turbo_after_game()
    with open(os.path.join(directory, "t.tap"), "wb") as out:
        out.write(tape.tap(1))
    expected_err = ("hexloom: note: 't.tap:$': 5000 pulses from %s to the end are in no format hexloom reads\n"
                    % tape.place(turbo_from)).encode()
    status, out, err = program.run(["--raw", "-v", "t.tap:$"])
    if (status, out, err) != (0, listing(b"GAME", [(3, b"GAME", b"PRG")]), expected_err):
        return ["--raw -v t.tap:$: exit %d, stderr %r" % (status, err)]
    return []


def check_message(program, directory, title, tape, pulse, args, expected_bytes, message):
    with open(os.path.join(directory, "t.tap"), "wb") as out:
        out.write(tape.tap(1))
    status, out, err = program.run(["-w", "1"] + args)
    expected_err = ("hexloom: " + message.format(place=tape.place(pulse)) + "\n").encode()
    got = dumped_bytes(out)
    if status != 0 or err != expected_err or got != expected_bytes:
        return ["%s: exit %d, stderr %r (expected %r), %d bytes (expected %d)%s"
                % (title, status, err, expected_err, len(got), len(expected_bytes),
                   "" if got == expected_bytes[:len(got)] else ", which differ")]
    return []


def main():
    target, args = target_from_command_line(__doc__.splitlines()[0])
    failures = []
    for title, version, speed, leaders, damage, pause, tail in ROUND_TRIPS:
        with tempfile.TemporaryDirectory() as directory:
            failures += check_round_trip(Program(target, directory), directory, title, version, speed, leaders,
                                         damage, pause, tail)
    for title, make, arguments, expected_bytes, message in MESSAGES:
        with tempfile.TemporaryDirectory() as directory:
            tape, pulse = make()
            failures += check_message(Program(target, directory), directory, title, tape, pulse, arguments,
                                      expected_bytes, message)
    for check in (checksum_in_both_copies, note_with_raw):
        with tempfile.TemporaryDirectory() as directory:
            failures += check(Program(target, directory), directory)
    return report(failures, "tape files [%s]" % args.target)


if __name__ == "__main__":
    sys.exit(main())
