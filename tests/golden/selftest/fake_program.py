#!/usr/bin/env python3
"""A stand-in for hexloom in the harness's own tests: each argument asks it
to report one thing about how it was started."""

import os
import sys
import time


def describe_stdin():
    try:
        os.fstat(0)
    except OSError:
        return "stdin closed"
    if os.isatty(0):
        return "stdin tty"
    return "stdin " + os.read(0, 1 << 20).hex()


def main():
    out = []
    for word in sys.argv[1:]:
        key, _, value = word.partition("=")
        if key == "stdin":
            out.append(describe_stdin())
        elif key == "cat":
            with open(value, "rb") as source:
                out.append(source.read().hex())
        elif key == "ttys":
            out.append("ttys %d%d" % (os.isatty(1), os.isatty(2)))
        elif key == "root":
            out.append("root %s" % (os.geteuid() == 0))
        elif key == "env":
            out.append("%s=%s" % (value, os.environ.get(value, "(unset)")))
        elif key == "raw":
            out.append(bytes.fromhex(value).decode("latin-1"))
        elif key == "sleep":
            time.sleep(float(value))
        elif key == "exit":
            sys.stdout.buffer.write("\n".join(out).encode("latin-1"))
            sys.exit(int(value))
        else:
            out.append("arg " + word)
    sys.stdout.buffer.write("".join(line + "\n" for line in out).encode("latin-1"))


if __name__ == "__main__":
    main()
