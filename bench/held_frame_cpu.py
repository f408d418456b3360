#!/usr/bin/env python3
"""On-CPU time of the app with R held, beside the bare timer woken twice a tick, as a ratio.

Builds nothing: cmake --preset release && cmake --build --preset release --target kiro-remote kiro_bare_timer
Usage: bench/held_frame_cpu.py [--app PATH] [--bare PATH] [--runs 3]
Each run is the median of five pairs. In a pair the app, headless on simulated receivers
in real time, and `kiro_bare_timer --answer-ms 12.5` start together; from the app's first
frame both are read from /proc/PID/schedstat over the same 10 s of R held: the main
thread's alone, and every thread's (/proc/PID/task/*/schedstat), which adds the thread
that writes the app's events.
"""

import argparse
import glob
import os
import statistics
import sys
import tempfile

from app_bench import CONNECT, DEFAULT_APP, DEFAULT_BARE, BenchError, Proc, cpu_ns, run_pair

HELD_S = 10.0
PAIRS = 5


def all_threads_ns(pid):
    total = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(path) as f:
                total += int(f.read().split()[0])
        except FileNotFoundError:  # a thread that ended meanwhile
            pass
    return total


def pair(app, bare):
    """The app's CPU over the floor's, over the same span of R held: main thread, all threads."""
    with tempfile.TemporaryDirectory() as tmp:
        script = os.path.join(tmp, "held.kiro")
        with open(script, "w") as f:
            f.write("\n".join(CONNECT + ["press R", f"wait {int((HELD_S + 0.5) * 1000)}",
                                         "release R", "wait 1100", "quit"]) + "\n")
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        held = Proc("kiro-remote", [app, "--headless", "--simulate", "--settings", f"{tmp}/s.ini",
                                    "--documents", tmp, "--script", script], env)
        floor = Proc("kiro_bare_timer --answer-ms 12.5",
                     [bare, "--seconds", "120", "--answer-ms", "12.5"], env)
        span = {}

        def sample():
            pids = held.popen.pid, floor.popen.pid
            return [cpu_ns(pid) for pid in pids] + [all_threads_ns(pid) for pid in pids]

        def watch(proc, stream, line, now):
            if proc is not held or stream != "out" or b'"event":"write"' not in line or span:
                return None
            span["start"] = sample()
            return [(HELD_S, lambda: span.__setitem__("end", sample()))]

        run_pair(held, floor, watch)
    if "end" not in span:
        raise BenchError("kiro-remote wrote no frame while R was held")
    spent = [end - start for start, end in zip(span["start"], span["end"])]
    return spent[0] / spent[1], spent[2] / spent[3]


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", default=str(DEFAULT_APP))
    parser.add_argument("--bare", default=str(DEFAULT_BARE))
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    for path in (args.app, args.bare):
        if not os.access(path, os.X_OK):
            parser.error(f"{path} is not an executable; build it first (see the top of this file)")
    medians = {"main thread": [], "all threads": []}
    try:
        for run in range(args.runs):
            pairs = [pair(args.app, args.bare) for _ in range(PAIRS)]
            for (name, values), ratios in zip(medians.items(), zip(*pairs)):
                values.append(statistics.median(ratios))
                print(f"run {run + 1}, {name}: median {values[-1]:.2f} of "
                      + " ".join(f"{r:.2f}" for r in ratios), file=sys.stderr, flush=True)
    except BenchError as error:
        print(f"held_frame_cpu: {error}", file=sys.stderr)
        return 1
    print(f"R held, app CPU / bare timer woken every 12.5 ms, median of {PAIRS} pairs a run, "
          f"{args.runs} run(s), min / median / max (goal <= 1.25):")
    for name, values in medians.items():
        print(f"  {name}: {min(values):.2f} / {statistics.median(values):.2f} / {max(values):.2f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
