"""The children a benchmark runs side by side: their output lines stamped as they arrive, and
their on-CPU time read from /proc/PID/schedstat."""

import os
import selectors
import subprocess
import time


class BenchError(Exception):
    pass


def cpu_ns(pid):
    with open(f"/proc/{pid}/schedstat") as f:
        return int(f.read().split()[0])


class Proc:
    """A child whose stdout and stderr lines are kept with the monotonic time they arrived."""

    def __init__(self, name, argv, env):
        self.name = name
        self.spawn_ns = time.monotonic_ns()
        self.popen = subprocess.Popen(argv, env=env, stdin=subprocess.DEVNULL,
                                      stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.lines = {"out": [], "err": []}
        self.partial = {"out": b"", "err": b""}

    def take(self, stream, data, now):
        # A read may end mid-line; the line counts as arrived when its newline does.
        *whole, self.partial[stream] = (self.partial[stream] + data).split(b"\n")
        self.lines[stream].extend((now, line) for line in whole)

    def stamps(self, stream, needle, start=0, end=None):
        return [t for t, line in self.lines[stream]
                if needle in line and t >= start and (end is None or t <= end)]


def run_pair(app, bare, watch=None, also=()):
    """Runs the children until the app ends; also: more baselines, ended with bare.
    watch(proc, stream, line, now) may return (delay_s, fn) pairs; each fn runs that long
    after, while all still run."""
    baselines = (bare, *also)
    sel = selectors.DefaultSelector()
    for proc in (app, *baselines):
        sel.register(proc.popen.stdout, selectors.EVENT_READ, (proc, "out"))
        sel.register(proc.popen.stderr, selectors.EVENT_READ, (proc, "err"))
    pending = []
    app_open = 2
    try:
        while app_open:
            pending.sort(key=lambda p: p[0])
            now = time.monotonic_ns()
            while pending and pending[0][0] <= now:
                pending.pop(0)[1]()
            timeout = (pending[0][0] - now) / 1e9 if pending else None
            for key, _ in sel.select(timeout):
                proc, stream = key.data
                data = os.read(key.fd, 1 << 16)
                now = time.monotonic_ns()
                if not data:
                    sel.unregister(key.fileobj)
                    app_open -= proc is app
                    continue
                before = len(proc.lines[stream])
                proc.take(stream, data, now)
                if watch:
                    for t, line in proc.lines[stream][before:]:
                        for delay, fn in watch(proc, stream, line, t) or ():
                            pending.append((t + int(delay * 1e9), fn))
        if pending:
            raise BenchError(f"{app.name} ended before its measured span closed")
    finally:
        if app.popen.poll() is None:
            app.popen.kill()
        for proc in baselines:
            proc.popen.terminate()
            proc.popen.wait()
        sel.close()
        for proc in (app, *baselines):
            proc.popen.stdout.close()
            proc.popen.stderr.close()
    if app.popen.wait() != 0:
        tail = b"\n".join(line for _, line in app.lines["err"][-5:]).decode(errors="replace")
        raise BenchError(f"{app.name} exited with status {app.popen.returncode}\n{tail}")
