"""Reads `*.case` files into Case records (format: tests/golden/README.md)."""

import os
import re
import shlex

from .content import Content, parse_content
from .escapes import FormatError, unescape

PLATFORMS = ("linux", "windows")
STDIN_KINDS = "empty, hex/text/pattern/random/empty/from data, file NAME, tty, closed, directory"
OUTPUT_KINDS = ("pipe", "tty", "closed", "/dev/full")
DEFAULT_TIMEOUT = 60.0


class Entry:
    """One thing in the case's directory: a file, dir, symlink or fifo."""

    def __init__(self, kind, name, mode=None, content=None, target=None):
        self.kind = kind
        self.name = name
        self.mode = mode
        self.content = content
        self.target = target


class Case:
    def __init__(self, path, title, line):
        self.path = path
        self.title = title
        self.line = line
        self.platforms = set(PLATFORMS)
        self.args = None
        self.entries = []
        self.stdin = ("empty", None)     # (kind, Content or file name or None)
        self.stdout = "pipe"
        self.stderr = "pipe"
        self.env = []                    # (name, value); value None removes the name
        self.timeout = DEFAULT_TIMEOUT
        self.escaped_names = False       # `names: escaped`
        self.expected = {}               # "stdout"/"stderr" -> bytes
        self.exit = None

    @property
    def where(self):
        return "%s:%d" % (os.path.basename(self.path), self.line)

    @property
    def needs_unprivileged_user(self):
        return any(entry.mode is not None for entry in self.entries)


def test_name(title: str) -> str:
    """The case title as CTest can carry it: no list separators, brackets,
    quotes, backslashes or control characters."""
    return re.sub(r'[;\[\]"\\$#\x00-\x1f\x7f]', "_", title).strip()


_BLOCK = re.compile(rb"--- (stdout|stderr)((?: +(?:escaped|noeol))*) *")
_EXIT = re.compile(rb"--- exit +(\d+) *")
_NAME_AND_MODE = re.compile(r"(.+?)(?: +mode +([0-7]{3,4}))?")


def _check_name(name: str) -> str:
    parts = name.split("/")
    if not name or name.startswith("/") or ".." in parts or "" in parts:
        raise FormatError("%r must be a relative path inside the case directory" % name)
    return name


def _name_and_mode(text: str):
    match = _NAME_AND_MODE.fullmatch(text.strip())
    if not match:
        raise FormatError("expected NAME or NAME mode OOO, got %r" % text)
    mode = int(match.group(2), 8) if match.group(2) else None
    return _check_name(match.group(1)), mode


def _platforms(value: str):
    words = set(re.split(r"[\s,|]+", value.strip().lower())) - {""}
    if words == {"both"}:
        return set(PLATFORMS)
    if not words or not words <= set(PLATFORMS):
        raise FormatError("platforms: expected linux, windows or both, got %r" % value)
    return words


def _stdin(value: str):
    value = value.strip()
    if value in ("tty", "closed", "directory"):
        return (value, None)
    if value.startswith("file "):
        return ("file", value[5:].strip())
    return ("data", parse_content(value, allow_sparse=False))


def _output(stream: str, value: str) -> str:
    value = value.strip()
    if value not in OUTPUT_KINDS:
        raise FormatError("%s: expected one of %s, got %r" % (stream, ", ".join(OUTPUT_KINDS), value))
    return value


def _env(value: str):
    value = value.strip()
    if value.startswith("-"):
        return (value[1:], None)
    name, equals, setting = value.partition("=")
    if not equals or not re.fullmatch(r"[A-Za-z_][A-Za-z0-9_]*", name):
        raise FormatError("env: expected NAME=VALUE or -NAME, got %r" % value)
    return (name, setting)


def _patch(case: Case, text: str):
    """`patch NAME at OFFSET: CONTENT` overwrites bytes of a file made by an
    earlier `file` line (a sparse one becomes real zero bytes first)."""
    head, colon, content = text.partition(":")
    match = re.fullmatch(r"\s*(\S+)\s+at\s+(\S+)\s*", head)
    if not colon or not match:
        raise FormatError("patch: expected `patch NAME at OFFSET: CONTENT`")
    files = [entry for entry in case.entries if entry.kind == "file" and entry.name == match.group(1)]
    if not files:
        raise FormatError("patch: no earlier `file %s` line" % match.group(1))
    target = files[-1].content
    if target.sparse_size is not None:
        target.data, target.sparse_size = bytes(target.sparse_size), None
    try:
        offset = int(match.group(2), 0)
    except ValueError:
        raise FormatError("patch: %r is not an offset" % match.group(2)) from None
    data = parse_content(content, allow_sparse=False).data
    if offset + len(data) > len(target.data):
        raise FormatError("patch: %d bytes at %d run past the end of %s" % (len(data), offset, match.group(1)))
    target.data = target.data[:offset] + data + target.data[offset + len(data):]


def _header_line(case: Case, line: str):
    """One line of a case's set-up part."""
    key, colon, value = line.partition(":")
    key = key.strip()
    if line.startswith("file "):
        if not colon:
            raise FormatError("file: expected `file NAME: CONTENT`")
        name, mode = _name_and_mode(line[5:].partition(":")[0])
        case.entries.append(Entry("file", name, mode, parse_content(line.partition(":")[2])))
    elif line.startswith("fifo "):
        head, _, content = line[5:].partition(":")
        name, mode = _name_and_mode(head)
        case.entries.append(Entry("fifo", name, mode, parse_content(content, allow_sparse=False)
                                  if content.strip() else Content(b"")))
    elif line.startswith("patch "):
        _patch(case, line[6:])
    elif line.startswith("dir "):
        name, mode = _name_and_mode(line[4:])
        case.entries.append(Entry("dir", name, mode))
    elif line.startswith("symlink "):
        name, arrow, target = line[8:].partition(" -> ")
        if not arrow or not target.strip():
            raise FormatError("symlink: expected `symlink NAME -> TARGET`")
        case.entries.append(Entry("symlink", _check_name(name.strip()), target=target.strip()))
    elif not colon:
        raise FormatError("unexpected line %r (a case line is `key: value`)" % line)
    elif key == "args":
        if case.args is not None:
            raise FormatError("args: given twice")
        try:
            case.args = shlex.split(value, comments=False, posix=True)
        except ValueError as error:
            raise FormatError("args: %s" % error) from None
    elif key == "platforms":
        case.platforms = _platforms(value)
    elif key == "stdin":
        case.stdin = _stdin(value)
    elif key in ("stdout", "stderr"):
        setattr(case, key, _output(key, value))
    elif key == "env":
        case.env.append(_env(value))
    elif key == "names":
        if value.strip() != "escaped":
            raise FormatError("names: expected escaped, got %r" % value.strip())
        case.escaped_names = True
    elif key == "timeout":
        try:
            case.timeout = float(value)
        except ValueError:
            raise FormatError("timeout: %r is not a number of seconds" % value.strip()) from None
    else:
        raise FormatError("unknown key %r (known: platforms, args, file, patch, dir, symlink, fifo, "
                          "stdin, stdout, stderr, env, timeout, names)" % key)


def _unescaped(text: str) -> str:
    return unescape(text.encode("utf-8", "surrogateescape")).decode("utf-8", "surrogateescape")


def _block_bytes(lines, flags) -> bytes:
    data = b"".join(line + b"\n" for line in lines)
    if "noeol" in flags and data.endswith(b"\n"):
        data = data[:-1]
    return data


def _finish(case: Case):
    missing = [name for name in ("stdout", "stderr") if name not in case.expected]
    if missing or case.exit is None:
        raise FormatError("case %r needs `--- stdout`, `--- stderr` and `--- exit N` (missing: %s)"
                          % (case.title, ", ".join(missing + ([] if case.exit is not None else ["exit"]))))
    if case.args is None:
        case.args = []
    if case.escaped_names:
        case.args = [_unescaped(word) for word in case.args]
        for entry in case.entries:
            entry.name = _check_name(_unescaped(entry.name))


def parse_case_file(path: str):
    """All cases of one file, in file order. Raises FormatError naming the line."""
    with open(path, "rb") as source:
        lines = source.read().split(b"\n")
    if lines and lines[-1] == b"":
        lines.pop()

    cases = []
    case = None
    block = None          # (stream, flags, lines) while inside an expected block
    titles = set()

    def close_block():
        nonlocal block
        if block:
            stream, flags, body = block
            case.expected[stream] = _block_bytes(body, flags)
            block = None

    for number, raw in enumerate(lines, 1):
        try:
            if raw.startswith(b"=== "):
                close_block()
                if case:
                    _finish(case)
                title = raw[4:].decode("utf-8", "surrogateescape").strip()
                if not title:
                    raise FormatError("a case needs a title after ===")
                if test_name(title) in titles:
                    raise FormatError("the title %r is used twice in this file" % title)
                titles.add(test_name(title))
                case = Case(path, title, number)
                cases.append(case)
                continue
            block_match = _BLOCK.fullmatch(raw.rstrip(b"\r")) if case else None
            exit_match = _EXIT.fullmatch(raw.rstrip(b"\r")) if case else None
            if block_match or exit_match:
                close_block()
                if case.exit is not None:
                    raise FormatError("`--- exit` must be the last part of a case")
                if exit_match:
                    case.exit = int(exit_match.group(1))
                    continue
                stream = block_match.group(1).decode()
                if stream in case.expected:
                    raise FormatError("`--- %s` given twice" % stream)
                block = (stream, block_match.group(2).decode().split(), [])
                continue
            if block:
                block[2].append(unescape(raw) if "escaped" in block[1] else raw)
                continue
            line = raw.decode("utf-8", "surrogateescape").rstrip("\r")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            if case is None:
                raise FormatError("text before the first `=== title` line")
            if case.exit is not None:
                raise FormatError("text after `--- exit` (start a new case with `=== title`)")
            _header_line(case, line.strip())
        except FormatError as error:
            raise FormatError("%s:%d: %s" % (path, number, error)) from None
    close_block()
    if case:
        try:
            _finish(case)
        except FormatError as error:
            raise FormatError("%s:%d: %s" % (path, case.line, error)) from None
    return cases
