#!/usr/bin/env python3
"""Heap allocations a held frame, counted over the whole headless process, events on.

Builds nothing: cmake --preset release && cmake --build --preset release --target kiro-remote kiro_count_allocations
Usage: bench/process_allocations.py [--app PATH] [--counter PATH] [--runs 3]
The app runs headless on simulated receivers in real time with every malloc, calloc and
realloc of the process counted (Qt's, the C++ library's, the events' writer's), its events
going to a file. A run is two launches that differ only in how long R is held (5 s and
15 s): the extra allocations over the extra frames are what a held frame costs, with
start-up and the ending cancelling out. The figure is min / median / max over the runs.
"""

import argparse
import os
import re
import statistics
import subprocess
import sys
import tempfile

from app_bench import CONNECT, DEFAULT_APP

DEFAULT_COUNTER = DEFAULT_APP.parent / "bench/libkiro_count_allocations.so"
HOLDS_MS = (5000, 15000)


def launch(app, counter, held_ms):
    """(allocations, write events) of one run with R held for held_ms."""
    with tempfile.TemporaryDirectory() as tmp:
        script = os.path.join(tmp, "held.kiro")
        with open(script, "w") as f:
            f.write("\n".join(CONNECT + ["press R", f"wait {held_ms}", "release R", "wait 1100", "quit"]) + "\n")
        env = {k: v for k, v in os.environ.items() if k not in ("DISPLAY", "WAYLAND_DISPLAY")}
        env["LD_PRELOAD"] = counter
        events = os.path.join(tmp, "events.jsonl")
        with open(events, "w") as out:
            done = subprocess.run([app, "--headless", "--simulate", "--settings", f"{tmp}/s.ini", "--documents", tmp,
                                   "--script", script], env=env, stdout=out, stderr=subprocess.PIPE, timeout=120)
        said = re.search(rb"kiro-allocations: (\d+)", done.stderr)
        if done.returncode != 0 or not said:
            sys.exit(f"process_allocations: the run failed ({done.returncode}): {done.stderr.decode(errors='replace')}")
        with open(events, "rb") as f:
            writes = sum(1 for line in f if b'"event":"write"' in line)
        return int(said.group(1)), writes


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", default=str(DEFAULT_APP))
    parser.add_argument("--counter", default=str(DEFAULT_COUNTER))
    parser.add_argument("--runs", type=int, default=3)
    args = parser.parse_args()
    figures = []
    for _ in range(args.runs):
        (short, short_frames), (long, long_frames) = (launch(args.app, args.counter, ms) for ms in HOLDS_MS)
        figures.append((long - short) / (long_frames - short_frames))
    print("heap allocations a held frame, whole process: %.2f / %.2f / %.2f (min / median / max of %d)"
          % (min(figures), statistics.median(figures), max(figures), args.runs))


if __name__ == "__main__":
    main()
