"""The byte sources that case files use for files and standard input:
hex, text, pattern, random, empty, sparse and from."""

import os
import re

from .escapes import FormatError, unescape

# The repository root, for `from PATH` sources.
REPOSITORY = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", "..", ".."))


class Content:
    """Bytes for a file or for standard input. `sparse_size` is set instead of
    `data` for a sparse file (a hole of that many zero bytes)."""

    def __init__(self, data=b"", sparse_size=None):
        self.data = data
        self.sparse_size = sparse_size


def _number(word: str, what: str) -> int:
    try:
        value = int(word, 0)
    except ValueError:
        raise FormatError("%s: %r is not a number" % (what, word)) from None
    if value < 0:
        raise FormatError("%s: %r is negative" % (what, word))
    return value


def pattern_bytes(size: int) -> bytes:
    """0, 1, ..., 255, 0, 1, ... (size bytes)."""
    block = bytes(range(256))
    return (block * (size // 256 + 1))[:size]


def random_bytes(size: int, seed: int) -> bytes:
    """SplitMix64 from the seed, each 64-bit output written little-endian.
    Written out here so the bytes never change with the Python version."""
    mask = (1 << 64) - 1
    state = seed & mask
    out = bytearray()
    while len(out) < size:
        state = (state + 0x9E3779B97F4A7C15) & mask
        z = state
        z = ((z ^ (z >> 30)) * 0xBF58476D1CE4E5B9) & mask
        z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & mask
        z ^= z >> 31
        out += z.to_bytes(8, "little")
    return bytes(out[:size])


def parse_content(description: str, allow_sparse: bool = True) -> Content:
    """Parses `hex ..`, `text ..`, `pattern N`, `random N seed S`, `empty`,
    `sparse N` or `from PATH` into the bytes they describe."""
    kind, _, rest = description.strip().partition(" ")
    if not kind:
        return Content(b"")
    if kind == "hex":
        digits = re.sub(r"\s+", "", rest)
        if len(digits) % 2 or not re.fullmatch(r"[0-9A-Fa-f]*", digits):
            raise FormatError("hex: %r is not a sequence of two-digit hex bytes" % rest)
        return Content(bytes.fromhex(digits))
    if kind == "text":
        return Content(unescape(rest.encode("utf-8", "surrogateescape")))
    if kind == "pattern":
        return Content(pattern_bytes(_number(rest.strip(), "pattern")))
    if kind == "random":
        match = re.fullmatch(r"\s*(\S+)\s+seed\s+(\S+)\s*", rest)
        if not match:
            raise FormatError("random: expected `random N seed S`, got %r" % description)
        return Content(random_bytes(_number(match.group(1), "random"), _number(match.group(2), "seed")))
    if kind == "empty" and not rest.strip():
        return Content(b"")
    if kind == "sparse" and allow_sparse:
        return Content(sparse_size=_number(rest.strip(), "sparse"))
    if kind == "from":
        path = os.path.join(REPOSITORY, rest.strip())
        try:
            with open(path, "rb") as source:
                return Content(source.read())
        except OSError as error:
            raise FormatError("from: cannot read %s: %s" % (rest.strip(), error.strerror)) from None
    known = "hex, text, pattern, random, empty, from" + (", sparse" if allow_sparse else "")
    raise FormatError("unknown content %r (known: %s)" % (description, known))
