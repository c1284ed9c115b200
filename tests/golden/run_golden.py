#!/usr/bin/env python3
"""Runs golden end-to-end cases (format: tests/golden/README.md).

  run_golden.py --program build/native/hexloom cases/*.case
  run_golden.py --program build/i386/hexloom --emulator qemu-i386 --target i386/Linux cases/x.case
  run_golden.py --program ... cases/x.case --case "two files"        one case
  run_golden.py --program ... cases/x.case --case "two files" --actual   print what the program wrote,
                                                                        as blocks to review and paste
Exit status: 0 when every case passed, 1 when one failed, 2 for a broken case file or command line.
"""

import argparse
import os
import shlex
import sys

# The source tree stays clean: no __pycache__ next to the harness.
sys.dont_write_bytecode = True
sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from harness.case_file import parse_case_file, test_name  # noqa: E402
from harness.compare import describe_exit, diff, matches, with_target  # noqa: E402
from harness.escapes import FormatError  # noqa: E402
from harness.launch import Target, run_case  # noqa: E402
from harness.render import as_blocks  # noqa: E402
from harness.sandbox import Sandbox  # noqa: E402


def _guard_standard_descriptors():
    """CI may start us with standard input closed; make sure descriptors 0-2
    exist so that no pipe or file we open lands on them."""
    for fd in (0, 1, 2):
        try:
            os.fstat(fd)
        except OSError:
            os.open(os.devnull, os.O_RDWR)
    for stream in (sys.stdout, sys.stderr):
        stream.reconfigure(encoding="utf-8", errors="backslashreplace")


def _arguments():
    parser = argparse.ArgumentParser(description="Runs hexloom's golden end-to-end cases.")
    parser.add_argument("files", nargs="+", help="case files")
    parser.add_argument("--program", help="the built hexloom (or hexloom.exe)")
    parser.add_argument("--emulator", default="", help="command that runs the program, e.g. qemu-i386 or wine")
    parser.add_argument("--launcher", help="Windows only: a starter beside hexloom.exe that gives it the "
                        "command line `hexloom ARGS` (tests/golden/windows/launch_as_hexloom.cpp)")
    parser.add_argument("--target", default="x86_64/Linux",
                        help="x86_64/Linux, i386/Linux or x86_64/Windows: for {{TARGET}} and platform marks")
    parser.add_argument("--case", help="run only the case with this title")
    parser.add_argument("--keep", action="store_true", help="keep each case's directory and print its path")
    parser.add_argument("--actual", action="store_true", help="print the program's output as case blocks")
    parser.add_argument("--list", action="store_true",
                        help="print FILE<TAB>TITLE for every case of the target's platform (for CTest)")
    parser.add_argument("--verbose", "-v", action="store_true", help="also report passing cases")
    return parser.parse_args()


def _list(files, platform):
    for path in files:
        try:
            cases = parse_case_file(path)
        except FormatError:
            print("%s\t" % path)  # an empty title: the whole file runs, and reports the error
            continue
        for case in cases:
            if platform in case.platforms:
                print("%s\t%s" % (path, test_name(case.title)))
    return 0


def _show_command(outcome):
    words = " ".join(shlex.quote(word) for word in outcome.command)
    return words + ("   (%s)" % ", ".join(outcome.notes) if outcome.notes else "")


def _check(case, target, args):
    """Runs one case; returns True when it passed. Prints a report on failure."""
    sandbox = Sandbox(case, keep=args.keep)
    try:
        outcome = run_case(case, target, sandbox)
    except (OSError, KeyError) as error:  # KeyError: no user nobody on this machine
        print("FAIL  %s %s  [%s]\n  could not start the program: %s" % (case.where, case.title, target.name, error))
        return False
    finally:
        sandbox.close()
    if args.keep:
        print("kept %s (case %r)" % (sandbox.work, case.title))

    if args.actual:
        print("=== %s" % case.title)
        print(as_blocks(outcome, target.name), end="")
        return True

    problems = []
    for stream in ("stdout", "stderr"):
        expected = with_target(case.expected[stream], target.name)
        actual = getattr(outcome, stream)
        if not matches(expected, actual):
            problems.append("%s differs (- expected, + actual):" % stream)
            problems.extend(diff(expected, actual))
    if outcome.timed_out:
        problems.append("timed out after %g s: the program was killed" % case.timeout)
    elif outcome.exit != case.exit:
        problems.append("exit code: expected %d, got %s" % (case.exit, describe_exit(outcome.exit)))

    if not problems:
        if args.verbose:
            print("ok    %s %s" % (case.where, case.title))
        return True
    print("FAIL  %s %s  [%s]" % (case.where, case.title, target.name))
    print("  command: %s" % _show_command(outcome))
    for line in problems:
        print("  " + line)
    print("  rerun: %s" % " ".join(shlex.quote(word) for word in _rerun_command(case, target)))
    return False


def _rerun_command(case, target):
    command = [sys.argv[0], "--program", target.program]
    if target.emulator:
        command += ["--emulator", " ".join(target.emulator)]
    if target.launcher:
        command += ["--launcher", target.launcher]
    return command + ["--target", target.name, case.path, "--case", case.title]


def main():
    _guard_standard_descriptors()
    args = _arguments()
    target = Target(args.program or "", shlex.split(args.emulator), args.target, args.launcher)
    if args.list:
        return _list(args.files, target.platform)
    if not args.program:
        print("run_golden.py: --program is required", file=sys.stderr)
        return 2
    for path in filter(None, (target.program, target.launcher)):
        if not os.path.isfile(path):
            print("run_golden.py: no program at %s (build it first)" % path, file=sys.stderr)
            return 2
    if target.launcher and os.path.dirname(target.launcher) != os.path.dirname(target.program):
        print("run_golden.py: the launcher must stand beside the program", file=sys.stderr)
        return 2

    broken = False
    cases = []
    for path in args.files:
        try:
            cases.extend(parse_case_file(path))
        except (FormatError, OSError) as error:
            print("BROKEN %s" % error)
            broken = True
    if args.case is not None:
        cases = [case for case in cases if args.case in (case.title, test_name(case.title))]
        if not cases and not broken:
            print("run_golden.py: no case titled %r (rebuild so CTest sees the current case files)" % args.case)
            return 2

    passed = failed = skipped = 0
    for case in cases:
        if target.platform not in case.platforms:
            skipped += 1
            continue
        if _check(case, target, args):
            passed += 1
        else:
            failed += 1
    if len(cases) > 1 or failed or args.verbose:
        print("golden [%s]: %d passed, %d failed, %d skipped for another platform"
              % (target.name, passed, failed, skipped))
    return 2 if broken else (1 if failed else 0)


if __name__ == "__main__":
    sys.exit(main())
