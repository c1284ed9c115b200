#!/usr/bin/env python3
"""Tests of the golden harness itself: that it reads the format as
documented, builds what a case asks for, and reports every mismatch."""

import os
import subprocess
import sys
import tempfile
import textwrap
import unittest

sys.dont_write_bytecode = True
HERE = os.path.dirname(os.path.abspath(__file__))
GOLDEN = os.path.dirname(HERE)
sys.path.insert(0, GOLDEN)

from harness.case_file import parse_case_file, test_name  # noqa: E402
from harness.compare import diff, matches  # noqa: E402
from harness.content import parse_content, random_bytes  # noqa: E402
from harness.escapes import FormatError, unescape, visible  # noqa: E402

FAKE = os.path.join(HERE, "fake_program.py")
RUNNER = os.path.join(GOLDEN, "run_golden.py")


def write_case_file(directory, text):
    path = os.path.join(directory, "t.case")
    with open(path, "w", encoding="utf-8") as out:
        out.write(textwrap.dedent(text).lstrip("\n"))
    return path


class Escapes(unittest.TestCase):
    def test_each_escape_names_its_bytes(self):
        table = [
            (rb"a\nb", b"a\nb"), (rb"\r\t", b"\r\t"), (rb"\\", b"\\"), (rb"\e[0m", b"\x1b[0m"),
            (rb"\x00\xFf", b"\x00\xff"), (rb"\u{E9}", "é".encode()), (rb"\u{1F600}", "😀".encode()),
            (rb"\u{EE40}", "\uee40".encode()), (b"plain", b"plain"),
        ]
        for raw, expected in table:
            with self.subTest(raw=raw):
                self.assertEqual(unescape(raw), expected)

    def test_unknown_or_broken_escapes_are_errors(self):
        for raw in (rb"\q", rb"\x4", rb"\u{D800}", rb"\u{110000}", b"end\\"):
            with self.subTest(raw=raw), self.assertRaises(FormatError):
                unescape(raw)

    def test_visible_shows_what_a_terminal_would_hide(self):
        self.assertEqual(visible(b"\x1b[1mA\tB\r\n"), "\\e[1mA\\tB\\r\\n")
        self.assertEqual(visible("\uee40é".encode() + b"\xff\x00\\"), "\\u{EE40}é\\xff\\x00\\\\")

    def test_visible_output_reads_back_as_the_same_bytes(self):
        data = bytes(range(256)) + "\uee41£π".encode()
        self.assertEqual(unescape(visible(data).encode()), data)


class Content(unittest.TestCase):
    def test_random_is_splitmix64(self):
        self.assertEqual(random_bytes(8, 0), bytes.fromhex("afcd1d7b39a820e2"))
        self.assertEqual(len(random_bytes(13, 5)), 13)

    def test_kinds(self):
        self.assertEqual(parse_content("hex 01 0203").data, b"\x01\x02\x03")
        self.assertEqual(parse_content("pattern 258").data[-3:], b"\xff\x00\x01")
        self.assertEqual(parse_content("").data, b"")
        self.assertEqual(parse_content("sparse 0x100").sparse_size, 256)
        self.assertTrue(parse_content("from samples/hello.prg").data.startswith(b"\x01\x08"))
        for bad in ("hex 0", "hex zz", "pattern -1", "random 4", "sparse x", "from no/such/file", "bytes 1"):
            with self.subTest(bad=bad), self.assertRaises(FormatError):
                parse_content(bad)


class Patterns(unittest.TestCase):
    def test_date_and_time(self):
        expected = b"built: {{DATE}} {{TIME}}\n"
        self.assertTrue(matches(expected, b"built: Mar 31 2025 15:46:03\n"))
        self.assertTrue(matches(expected, b"built: Dec  7 2025 01:02:03\n"))
        self.assertFalse(matches(expected, b"built: Foo 31 2025 15:46:03\n"))
        self.assertFalse(matches(expected, b"built: Mar 31 2025 15:46:03 \n"))
        self.assertFalse(matches(b"{{DATE}}", b"Mar 31 2025\nMar 31 2025"))

    def test_no_pattern_means_equal_bytes(self):
        self.assertTrue(matches(b"a.b", b"a.b"))
        self.assertFalse(matches(b"a.b", b"axb"))


class Diffs(unittest.TestCase):
    def test_a_difference_deep_in_a_long_output_keeps_its_line_number(self):
        expected = b"".join(b"%06x\n" % i for i in range(200000))
        actual = expected.replace(b"0186a0\n", b"0186A0\n")
        shown = diff(expected, actual)
        self.assertIn("@@ -99998,7 +99998,7 @@", "\n".join(shown))
        self.assertEqual([line.strip() for line in shown if line.lstrip()[:1] in "+-" and "0186" in line],
                         ["-0186a0\\n", "+0186A0\\n"])

    def test_lines_that_match_their_pattern_are_not_shown_as_different(self):
        shown = "\n".join(diff(b"built {{DATE}}\nx\n", b"built Mar 31 2025\ny\n"))
        self.assertNotIn("{{DATE}}", shown)
        self.assertIn(" built Mar 31 2025", shown)


class CaseFiles(unittest.TestCase):
    def setUp(self):
        self.directory = tempfile.TemporaryDirectory()
        self.addCleanup(self.directory.cleanup)

    def parse(self, text):
        return parse_case_file(write_case_file(self.directory.name, text))

    def assert_error(self, text, line, words):
        with self.assertRaises(FormatError) as caught:
            self.parse(text)
        self.assertIn("t.case:%d:" % line, str(caught.exception))
        self.assertIn(words, str(caught.exception))

    def test_a_full_case(self):
        case, = self.parse(r"""
            # comment
            === two files
            platforms: linux
            args: -w 8 'a b.prg' "c\"d"
            file a b.prg mode 0640: hex 01
            dir sub/empty
            symlink link -> a b.prg
            fifo p.fifo: text x
            stdin: text hi\n
            stdout: tty
            env: A=b=c
            env: -LANG
            timeout: 5
            --- stdout escaped noeol
            \e[0m
            --- stderr
            --- exit 3
            """)
        self.assertEqual(case.args, ["-w", "8", "a b.prg", 'c"d'])
        self.assertEqual([(e.kind, e.name, e.mode) for e in case.entries],
                         [("file", "a b.prg", 0o640), ("dir", "sub/empty", None),
                          ("symlink", "link", None), ("fifo", "p.fifo", None)])
        self.assertEqual(case.platforms, {"linux"})
        self.assertEqual(case.stdin[1].data, b"hi\n")
        self.assertEqual((case.stdout, case.stderr, case.timeout), ("tty", "pipe", 5.0))
        self.assertEqual(case.env, [("A", "b=c"), ("LANG", None)])
        self.assertEqual(case.expected, {"stdout": b"\x1b[0m", "stderr": b""})
        self.assertEqual(case.exit, 3)

    def test_escaped_names_reach_arguments_and_files(self):
        case, = self.parse(r"""
            === control characters in a name
            names: escaped
            args: --Epath 'a\e[1m\nb'
            file a\e[1m\nb: hex 00
            --- stdout
            --- stderr
            --- exit 0
            """)
        self.assertEqual(case.args, ["--Epath", "a\x1b[1m\nb"])
        self.assertEqual(case.entries[0].name, "a\x1b[1m\nb")

    def test_patches_overwrite_earlier_files(self):
        case, = self.parse("""
            === a patched image
            file g.d64: sparse 8
            patch g.d64 at 0x2: hex 12 01
            patch g.d64 at 7: text A
            --- stdout
            --- stderr
            --- exit 0
            """)
        self.assertEqual(case.entries[0].content.data, b"\0\0\x12\x01\0\0\0A")
        self.assert_error("=== a\nfile g: hex 00\npatch g at 1: hex 00\n", 3, "past the end")
        self.assert_error("=== a\npatch g at 0: hex 00\n", 2, "no earlier")
        self.assert_error("=== a\nfile g: hex 00\npatch g: hex 00\n", 3, "patch NAME at OFFSET")

    def test_blocks_keep_blank_lines_and_end_only_at_headers(self):
        first, second = self.parse("""
            === one
            --- stdout
            a

            --- not a header
            # not a comment
            --- stderr
            --- exit 1

            === two
            --- stdout noeol
            x
            --- stderr escaped
            \\x2d-- stdout
            --- exit 0
            """)
        self.assertEqual(first.expected["stdout"], b"a\n\n--- not a header\n# not a comment\n")
        self.assertEqual(first.exit, 1)
        self.assertEqual(second.expected, {"stdout": b"x", "stderr": b"--- stdout\n"})

    def test_mistakes_name_their_line(self):
        self.assert_error("=== a\n--- stdout\n--- exit 0\n", 1, "missing: stderr")
        self.assert_error("=== a\nargs: 'open\n", 2, "args")
        self.assert_error("=== a\nfiel x: hex 00\n", 2, "unknown key")
        self.assert_error("=== a\nfile x hex 00\n", 2, "file NAME: CONTENT")
        self.assert_error("=== a\ncolour: yes\n", 2, "unknown key")
        self.assert_error("=== a\nfile ../x: hex 00\n", 2, "relative path")
        self.assert_error("=== a\nstdout: file\n", 2, "stdout")
        self.assert_error("=== a\n--- stdout\n--- stderr\n--- exit 0\nargs: x\n", 5, "after `--- exit`")
        self.assert_error("=== a\n--- exit 0\n--- stdout\n", 3, "last part")
        self.assert_error("args: x\n", 1, "before the first")
        self.assert_error("=== a\n--- stdout\n--- stderr\n--- exit 0\n=== a\n", 5, "used twice")
        self.assert_error("=== a\n--- stdout escaped\n\\q\n--- stderr\n--- exit 0\n", 3, "unknown escape")

    def test_test_names_carry_no_cmake_list_characters(self):
        self.assertEqual(test_name('a;b [c] "d" \\e $f #g'), "a_b _c_ _d_ _e _f _g")


class Runs(unittest.TestCase):
    """The runner against a stand-in program."""

    def setUp(self):
        self.directory = tempfile.TemporaryDirectory()
        self.addCleanup(self.directory.cleanup)

    def run_cases(self, text, *extra):
        path = write_case_file(self.directory.name, text)
        done = subprocess.run([sys.executable, RUNNER, "--program", FAKE, path] + list(extra),
                              stdin=subprocess.DEVNULL, capture_output=True, timeout=120)
        return done.returncode, done.stdout.decode("utf-8", "replace")

    def assert_passes(self, text):
        status, report = self.run_cases(text)
        self.assertEqual(status, 0, report)

    def test_files_and_streams_arrive_as_described(self):
        self.assert_passes("""
            === files
            args: cat=sub/a.bin cat=p.fifo 'two words'
            file sub/a.bin: text A\\x00
            fifo p.fifo: hex ff
            --- stdout
            4100
            ff
            arg two words
            --- stderr
            --- exit 0

            === stdin data
            args: stdin
            stdin: pattern 3
            --- stdout
            stdin 000102
            --- stderr
            --- exit 0

            === stdin kinds
            args: stdin
            stdin: closed
            --- stdout
            stdin closed
            --- stderr
            --- exit 0

            === terminals
            args: stdin ttys
            stdin: tty
            stdout: tty
            --- stdout
            stdin tty
            ttys 10
            --- stderr
            --- exit 0

            === environment
            args: env=LANG env=HOME env=X
            env: X=1
            --- stdout
            LANG=C.UTF-8
            HOME=(unset)
            X=1
            --- stderr
            --- exit 0
            """)

    @unittest.skipUnless(os.geteuid() == 0, "only root switches to an unprivileged user")
    def test_mode_bits_run_the_program_unprivileged(self):
        self.assert_passes("""
            === locked
            args: root
            file locked mode 000: hex 00
            --- stdout
            root False
            --- stderr
            --- exit 0
            """)

    def test_a_mismatch_shows_both_sides_with_escapes(self):
        status, report = self.run_cases("""
            === wrong
            args: raw=1b5b316d41 exit=3
            --- stdout
            [1mB
            --- stderr
            --- exit 0
            """)
        self.assertEqual(status, 1)
        self.assertIn("FAIL  t.case:1 wrong", report)
        self.assertIn("-[1mB\\n", report)
        self.assertIn("+\\e[1mA", report)
        self.assertIn("exit code: expected 0, got 3", report)
        self.assertIn("rerun:", report)

    def test_a_hanging_program_is_killed_at_the_timeout(self):
        status, report = self.run_cases("""
            === hangs
            timeout: 1
            args: sleep=30
            --- stdout
            --- stderr
            --- exit 0
            """)
        self.assertEqual(status, 1)
        self.assertIn("timed out after 1 s", report)

    def test_a_broken_case_file_fails_the_run(self):
        status, report = self.run_cases("=== a\n--- stdout\n")
        self.assertEqual(status, 2)
        self.assertIn("BROKEN", report)

    def test_cases_of_the_other_platform_are_not_listed(self):
        status, report = self.run_cases("""
            === everywhere
            --- stdout
            --- stderr
            --- exit 0
            === only windows
            platforms: windows
            --- stdout
            --- stderr
            --- exit 0
            """, "--list")
        self.assertEqual(status, 0)
        self.assertEqual([line.split("\t")[1] for line in report.splitlines()], ["everywhere"])


if __name__ == "__main__":
    unittest.main()
