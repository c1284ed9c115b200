"""Runs the program for one case: the command line for the target, the
standard streams the case asks for, the user, the environment and the timeout."""

import os
import pty
import shutil
import signal
import subprocess
import sys
import termios
import threading

PROGRAM_NAME = "hexloom"

# Started instead of the program when a standard stream must be closed:
# closes the named descriptors, then becomes the program.
_CLOSE_AND_EXEC = (
    "import os, sys\n"
    "for fd in sys.argv[1].split(','):\n"
    "    os.close(int(fd))\n"
    "os.execv(sys.argv[2], sys.argv[3:])\n"
)


def _system_python():
    """A Python that an unprivileged user can start too (ours may live in
    root's home directory)."""
    return "/usr/bin/python3" if os.access("/usr/bin/python3", os.X_OK) else sys.executable


class Target:
    """Where and how the program runs: the built binary, an optional
    emulator command (qemu-i386, wine) and the target name for {{TARGET}}."""

    def __init__(self, program, emulator, name, launcher=None):
        self.program = os.path.abspath(program)
        self.emulator = emulator or []
        self.name = name
        self.launcher = os.path.abspath(launcher) if launcher else None

    @property
    def platform(self):
        return "windows" if "windows" in self.name.lower() else "linux"

    @property
    def is_wine(self):
        return bool(self.emulator) and "wine" in os.path.basename(self.emulator[0])

    def command(self, program, args):
        """(executable, argv) so that the program sees `hexloom` as argv[0]
        where the platform allows it."""
        if not self.emulator:
            return program, [PROGRAM_NAME] + args
        tool = shutil.which(self.emulator[0]) or self.emulator[0]
        if os.path.basename(tool).startswith("qemu-"):
            return tool, self.emulator + ["-0", PROGRAM_NAME, program] + args
        if self.launcher:
            # The launcher starts the hexloom.exe beside it with "hexloom"
            # as the first word of its command line.
            return tool, self.emulator + [self.launcher] + args
        # Wine builds the Windows command line from the path it is given.
        return tool, self.emulator + [program] + args

    def environment(self, case):
        if self.is_wine:
            env = dict(os.environ)
            env.setdefault("WINEDEBUG", "-all")
        else:
            # A small fixed environment, so that no developer's settings
            # change what the program prints.
            env = {"PATH": "/usr/local/bin:/usr/bin:/bin", "LANG": "C.UTF-8"}
        for name, value in case.env:
            if value is None:
                env.pop(name, None)
            else:
                env[name] = value
        return env


def target_from_command_line(description, add_options=None):
    """The program under test as the kit's tests name it on their command
    line (--program, --emulator, --launcher, --target), with the test's own
    options added by add_options(parser): returns (target, arguments)."""
    import argparse
    import shlex
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--program", required=True)
    parser.add_argument("--emulator", default="")
    parser.add_argument("--launcher")
    parser.add_argument("--target", default="x86_64/Linux")
    if add_options:
        add_options(parser)
    args = parser.parse_args()
    return Target(args.program, shlex.split(args.emulator), args.target, args.launcher), args


class Outcome:
    def __init__(self):
        self.stdout = b""
        self.stderr = b""
        self.exit = None
        self.timed_out = False
        self.command = []
        self.notes = []


def _raw_terminal():
    """A pseudo-terminal whose slave end passes bytes through unchanged
    (no newline translation, no echo). Returns (master, slave)."""
    master, slave = pty.openpty()
    attributes = termios.tcgetattr(slave)
    attributes[1] &= ~termios.OPOST                       # output flags
    attributes[3] &= ~(termios.ECHO | termios.ICANON)     # local flags
    termios.tcsetattr(slave, termios.TCSANOW, attributes)
    return master, slave


def _drain(fd, sink):
    while True:
        try:
            chunk = os.read(fd, 65536)
        except OSError:  # EIO: every slave end is closed
            break
        if not chunk:
            break
        sink.append(chunk)


class _TerminalCapture:
    """Everything the program writes to a pseudo-terminal of its own."""

    def __init__(self):
        self.master, self.slave = _raw_terminal()
        self._chunks = []
        self._reader = threading.Thread(target=_drain, args=(self.master, self._chunks), daemon=True)

    def start(self):
        """Once the program holds its copy of the slave end, ours goes, so
        the reader sees the end when the program exits."""
        os.close(self.slave)
        self.slave = None
        self._reader.start()

    def finish(self) -> bytes:
        if self._reader.is_alive():
            self._reader.join(5)
        self.close()
        return b"".join(self._chunks)

    def close(self):
        for fd in (self.master, self.slave):
            if fd is not None:
                os.close(fd)
        self.master = self.slave = None


class _Streams:
    """The three descriptors handed to the program, and what to do with the
    other ends afterwards."""

    def __init__(self):
        self.child = {}         # stream -> fd or subprocess.PIPE
        self.closed = []        # standard descriptors the program must see closed
        self.input = None       # bytes to write into the stdin pipe
        self.captures = {}      # stream -> _TerminalCapture
        self.owned = []         # descriptors to close after the run

    def own(self, fd):
        self.owned.append(fd)
        return fd

    def close(self):
        for fd in self.owned:
            os.close(fd)
        self.owned = []
        for capture in self.captures.values():
            capture.close()


def _set_up_streams(case, sandbox):
    streams = _Streams()
    kind, value = case.stdin
    if kind == "empty":
        streams.child["stdin"] = subprocess.PIPE
        streams.input = b""
    elif kind == "data":
        streams.child["stdin"] = subprocess.PIPE
        streams.input = value.data
    elif kind == "file":
        streams.child["stdin"] = streams.own(os.open(os.path.join(sandbox.work, value), os.O_RDONLY))
    elif kind == "directory":
        streams.child["stdin"] = streams.own(os.open(sandbox.work, os.O_RDONLY | os.O_DIRECTORY))
    elif kind == "tty":
        master, slave = _raw_terminal()
        streams.own(master)
        streams.child["stdin"] = streams.own(slave)
    elif kind == "closed":
        streams.child["stdin"] = subprocess.DEVNULL
        streams.closed.append(0)

    for number, name in ((1, "stdout"), (2, "stderr")):
        kind = getattr(case, name)
        if kind == "pipe":
            streams.child[name] = subprocess.PIPE
        elif kind == "tty":
            streams.captures[name] = _TerminalCapture()
            streams.child[name] = streams.captures[name].slave
        elif kind == "/dev/full":
            streams.child[name] = streams.own(os.open("/dev/full", os.O_WRONLY))
        elif kind == "closed":
            streams.child[name] = subprocess.DEVNULL
            streams.closed.append(number)
    return streams


def run_case(case, target, sandbox):
    """Runs the program once for the case and returns its Outcome."""
    outcome = Outcome()
    program = target.program
    user = {}
    if case.needs_unprivileged_user and os.geteuid() == 0:
        # Root reads everything: permission cases only mean something for
        # an ordinary user.
        sandbox.open_to_others()
        program = sandbox.private_copy(program)
        user = {"user": "nobody", "group": "nogroup", "extra_groups": []}
        outcome.notes.append("as user nobody")

    executable, argv = target.command(program, case.args)
    outcome.command = argv
    streams = _set_up_streams(case, sandbox)
    if streams.closed:
        outcome.notes.append("descriptor %s closed" % ",".join(map(str, streams.closed)))
        python = _system_python()
        argv = [python, "-c", _CLOSE_AND_EXEC, ",".join(map(str, streams.closed)), executable] + argv
        executable = python

    sandbox.start_fifo_writers()
    try:
        process = subprocess.Popen(
            argv, executable=executable, cwd=sandbox.work, env=target.environment(case),
            stdin=streams.child["stdin"], stdout=streams.child["stdout"], stderr=streams.child["stderr"],
            start_new_session=True, close_fds=True, **user)
    except BaseException:
        streams.close()
        raise
    for capture in streams.captures.values():
        capture.start()

    try:
        out, err = process.communicate(streams.input, timeout=case.timeout)
    except subprocess.TimeoutExpired:
        outcome.timed_out = True
        try:
            os.killpg(process.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        out, err = process.communicate()
    outcome.exit = process.returncode
    outcome.stdout = out or b""
    outcome.stderr = err or b""
    for name, capture in streams.captures.items():
        setattr(outcome, name, capture.finish())
    streams.close()
    return outcome
