"""The fresh directory a case runs in, with its files, directories, symlinks
and FIFOs, and the threads that feed the FIFOs."""

import errno
import os
import shutil
import stat
import tempfile
import threading


class Sandbox:
    """root/ holds work/ (the program's current directory, the case's files)
    and, when the program runs as another user, bin/ with a copy of it."""

    def __init__(self, case, keep=False):
        self.keep = keep
        self.root = tempfile.mkdtemp(prefix="hexloom-golden-")
        self.work = os.path.join(self.root, "work")
        os.mkdir(self.work)
        self._stop = threading.Event()
        self._feeders = []
        self._fifos = []
        modes = []
        for entry in case.entries:
            path = os.path.join(self.work, entry.name)
            os.makedirs(os.path.dirname(path), exist_ok=True)
            if entry.kind == "file":
                _write_file(path, entry.content)
            elif entry.kind == "dir":
                os.makedirs(path, exist_ok=True)
            elif entry.kind == "symlink":
                os.symlink(entry.target, path)
            elif entry.kind == "fifo":
                os.mkfifo(path)
                self._fifos.append((path, entry.content.data))
            if entry.mode is not None:
                modes.append((path, entry.mode))
        # Deepest first, so that a locked directory does not hide what is in it.
        for path, mode in sorted(modes, key=lambda item: -item[0].count("/")):
            os.chmod(path, mode)

    def open_to_others(self):
        """Lets an unprivileged user reach the work directory."""
        for path in (self.root, self.work):
            os.chmod(path, 0o755)

    def private_copy(self, program: str) -> str:
        """A copy of the program that an unprivileged user can run, whatever
        the permissions of the build tree."""
        bin_dir = os.path.join(self.root, "bin")
        os.makedirs(bin_dir, exist_ok=True)
        os.chmod(bin_dir, 0o755)
        copy = os.path.join(bin_dir, os.path.basename(program))
        shutil.copy(program, copy)
        os.chmod(copy, 0o755)
        return copy

    def start_fifo_writers(self):
        for path, data in self._fifos:
            feeder = threading.Thread(target=_feed_fifo, args=(path, data, self._stop), daemon=True)
            feeder.start()
            self._feeders.append(feeder)

    def close(self):
        self._stop.set()
        for feeder in self._feeders:
            feeder.join(5)
        if self.keep:
            return
        _unlock(self.root)
        shutil.rmtree(self.root, ignore_errors=True)


def _write_file(path, content):
    with open(path, "wb") as out:
        if content.sparse_size is not None:
            out.truncate(content.sparse_size)
        else:
            out.write(content.data)


def _feed_fifo(path, data, stop):
    """Opens the FIFO for writing once a reader has it open, writes the data
    and closes it, so the reader then sees the end of the data. Gives up when
    the case ends without the program opening the FIFO."""
    while not stop.is_set():
        try:
            fd = os.open(path, os.O_WRONLY | os.O_NONBLOCK)
            break
        except OSError as error:
            if error.errno != errno.ENXIO:  # ENXIO: no reader yet
                return
            stop.wait(0.005)
    else:
        return
    try:
        os.set_blocking(fd, True)
        view = memoryview(data)
        while view:
            view = view[os.write(fd, view):]
    except OSError:
        pass  # the reader went away early
    finally:
        os.close(fd)


def _unlock(path):
    """Gives the owner back the rights to remove everything under path."""
    try:
        info = os.lstat(path)
    except OSError:
        return
    if stat.S_ISDIR(info.st_mode):
        os.chmod(path, 0o700)
        for name in os.listdir(path):
            _unlock(os.path.join(path, name))
    elif not stat.S_ISLNK(info.st_mode):
        os.chmod(path, 0o600)
