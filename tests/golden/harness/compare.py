"""Matching output against expected blocks, with {{DATE}}, {{TIME}} and
{{TARGET}}, and the readable report of a mismatch."""

import difflib
import re
import signal

from .escapes import visible

MONTH = rb"(?:Jan|Feb|Mar|Apr|May|Jun|Jul|Aug|Sep|Oct|Nov|Dec)"
PATTERNS = {
    b"{{DATE}}": MONTH + rb" [ 1-3][0-9] [0-9]{4}",   # as the compiler writes a build date
    b"{{TIME}}": rb"[0-2][0-9]:[0-5][0-9]:[0-6][0-9]",
}
_PLACEHOLDER = re.compile(rb"\{\{(?:DATE|TIME)\}\}")


def with_target(expected: bytes, target_name: str) -> bytes:
    return expected.replace(b"{{TARGET}}", target_name.encode())


def _pattern(expected: bytes):
    pieces = []
    last = 0
    for match in _PLACEHOLDER.finditer(expected):
        pieces.append(re.escape(expected[last:match.start()]))
        pieces.append(PATTERNS[match.group(0)])
        last = match.end()
    pieces.append(re.escape(expected[last:]))
    return re.compile(b"".join(pieces), re.S)


def matches(expected: bytes, actual: bytes) -> bool:
    if not _PLACEHOLDER.search(expected):
        return expected == actual
    return _pattern(expected).fullmatch(actual) is not None


def _lines(data: bytes):
    return data.splitlines(keepends=True)


def _trimmed(expected_lines, actual_lines, context=3, window=2000):
    """Drops the equal lines at both ends (keeping some context) and cuts
    what is left to a window, so that huge outputs still diff quickly.
    Returns (lines dropped at the start, expected part, actual part)."""
    start = 0
    while (start < len(expected_lines) and start < len(actual_lines)
           and expected_lines[start] == actual_lines[start]):
        start += 1
    end = 0
    while (end < len(expected_lines) - start and end < len(actual_lines) - start
           and expected_lines[-1 - end] == actual_lines[-1 - end]):
        end += 1
    start = max(0, start - context)
    end = max(0, end - context)
    expected_part = expected_lines[start:len(expected_lines) - end][:window]
    actual_part = actual_lines[start:len(actual_lines) - end][:window]
    return start, expected_part, actual_part


_HUNK = re.compile(r"@@ -(\d+)(,\d+)? \+(\d+)(,\d+)? @@")


def _shift_hunk(line: str, offset: int) -> str:
    """Hunk headers count lines of the whole output, not of the trimmed part."""
    match = _HUNK.fullmatch(line)
    if not match or not offset:
        return line
    return "@@ -%d%s +%d%s @@" % (int(match.group(1)) + offset, match.group(2) or "",
                                 int(match.group(3)) + offset, match.group(4) or "")


def diff(expected: bytes, actual: bytes, indent="    "):
    """A unified diff of the two outputs, one line per output line, with
    every byte that is not plain text shown as an escape (line ends as \\n).
    Expected lines whose pattern matches the actual line at the same place
    are shown as that actual line, so only real differences stand out."""
    expected_lines = _lines(expected)
    actual_lines = _lines(actual)
    for index, line in enumerate(expected_lines):
        if index < len(actual_lines) and _PLACEHOLDER.search(line) and matches(line, actual_lines[index]):
            expected_lines[index] = actual_lines[index]
    skipped, expected_part, actual_part = _trimmed(expected_lines, actual_lines)
    out = []
    if skipped:
        out.append(indent + "(the first %d lines are equal)" % skipped)
    rendered = difflib.unified_diff([visible(line) for line in expected_part],
                                    [visible(line) for line in actual_part],
                                    "expected (%d lines)" % len(expected_lines),
                                    "actual (%d lines)" % len(actual_lines), n=3, lineterm="")
    out.extend(indent + _shift_hunk(line, skipped) for line in rendered)
    if len(out) > 400:
        out = out[:400] + [indent + "... (%d more diff lines)" % (len(out) - 400)]
    return out


def describe_exit(code) -> str:
    if code is None:
        return "none"
    if code < 0:
        try:
            return "killed by %s" % signal.Signals(-code).name
        except ValueError:
            return "killed by signal %d" % -code
    return str(code)
