"""The backslash escapes of case files, and the same notation used to make
output bytes visible in failure reports."""

import re
import unicodedata


class FormatError(Exception):
    """A case file that does not follow the format of tests/golden/README.md."""


_SIMPLE = {"n": b"\n", "r": b"\r", "t": b"\t", "\\": b"\\", "e": b"\x1b"}
_ESCAPE = re.compile(rb"\\(x[0-9A-Fa-f]{2}|u\{[0-9A-Fa-f]{1,6}\}|.?)", re.S)


def unescape(raw: bytes) -> bytes:
    """Turns \\n, \\r, \\t, \\\\, \\e, \\xHH and \\u{HHHH} into the bytes they stand for."""

    def replace(match):
        code = match.group(1)
        if code[:1] == b"x" and len(code) == 3:
            return bytes([int(code[1:], 16)])
        if code[:1] == b"u" and len(code) > 1:
            point = int(code[2:-1], 16)
            if point > 0x10FFFF or 0xD800 <= point <= 0xDFFF:
                raise FormatError("\\u{%s} is not a Unicode scalar value" % code[2:-1].decode())
            return chr(point).encode("utf-8")
        if code.decode("latin-1") in _SIMPLE:
            return _SIMPLE[code.decode("latin-1")]
        raise FormatError("unknown escape \\%s (known: \\n \\r \\t \\\\ \\e \\xHH \\u{HHHH})"
                          % code.decode("utf-8", "replace"))

    return _ESCAPE.sub(replace, raw)


_SHOWN_AS = {"\\": "\\\\", "\t": "\\t", "\r": "\\r", "\n": "\\n", "\x1b": "\\e"}
# Categories that a terminal shows as nothing or as a box: private-use glyphs,
# controls, format characters, unassigned code points and line separators.
_INVISIBLE = {"Co", "Cc", "Cf", "Cs", "Cn", "Zl", "Zp"}


def visible(data: bytes) -> str:
    """Renders bytes in the escape notation: printable text stays as it is,
    everything else becomes \\e, \\t, \\r, \\n, \\xHH or \\u{HHHH}."""
    out = []
    for ch in data.decode("utf-8", "surrogateescape"):
        point = ord(ch)
        if 0xDC80 <= point <= 0xDCFF:  # a byte that is not part of valid UTF-8
            out.append("\\x%02x" % (point - 0xDC00))
        elif ch in _SHOWN_AS:
            out.append(_SHOWN_AS[ch])
        elif point < 0x20 or point == 0x7F:
            out.append("\\x%02x" % point)
        elif point < 0x7F:
            out.append(ch)
        elif unicodedata.category(ch) in _INVISIBLE or 0x80 <= point < 0xA0:
            out.append("\\u{%04X}" % point)
        else:
            out.append(ch)
    return "".join(out)
