"""Writes a program's output back as case blocks, for drafting new cases.
The draft is a starting point: check every line before pasting it."""

import re

from .compare import PATTERNS, describe_exit
from .escapes import visible

_HEADER_LIKE = re.compile(r"(---|===) ")


def _plain(line: str) -> bool:
    return visible(line.encode("utf-8", "surrogateescape")) == line.replace("\\", "\\\\")


def _templated(data: bytes, target_name: str) -> bytes:
    """Build stamps become placeholders: a date with the time after it, or a
    date alone. A time alone is left as it is, since it may be fixed text."""
    data = data.replace(target_name.encode(), b"{{TARGET}}")
    date, time = PATTERNS[b"{{DATE}}"], PATTERNS[b"{{TIME}}"]
    data = re.sub(date + b" " + time, b"{{DATE}} {{TIME}}", data)
    return re.sub(date, b"{{DATE}}", data)


def block(stream: str, data: bytes) -> str:
    noeol = bool(data) and not data.endswith(b"\n")
    lines = data.split(b"\n")
    if not noeol:
        lines.pop()  # the part after the final newline is empty
    texts = [line.decode("utf-8", "surrogateescape") for line in lines]
    if all(_plain(text) and not _HEADER_LIKE.match(text) for text in texts):
        header = "--- %s%s" % (stream, " noeol" if noeol else "")
        return "\n".join([header] + texts) + "\n"
    body = []
    for line in lines:
        shown = visible(line)
        if _HEADER_LIKE.match(shown):
            shown = "\\x%02x%s" % (ord(shown[0]), shown[1:])
        body.append(shown)
    header = "--- %s escaped%s" % (stream, " noeol" if noeol else "")
    return "\n".join([header] + body) + "\n"


def as_blocks(outcome, target_name: str) -> str:
    text = block("stdout", _templated(outcome.stdout, target_name))
    text += block("stderr", _templated(outcome.stderr, target_name))
    if outcome.exit is not None and outcome.exit >= 0:
        text += "--- exit %d\n" % outcome.exit
    else:
        text += "# the program ended without an exit code: %s\n" % describe_exit(outcome.exit)
    return text
