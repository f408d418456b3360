#!/usr/bin/env python3
"""Instructions a held frame costs the app, beside a bare Qt 25 ms timer's tick, counted by
callgrind: unlike CPU time, the same for the same build whatever else the machine does.

Builds nothing: cmake --preset release && cmake --build --preset release --target kiro-remote kiro_bare_timer
Usage: bench/frame_instructions.py [--app PATH] [--bare PATH]
Each program runs twice, a short and a long time; the difference between the two counts,
over the difference in frames or ticks, leaves out start-up and shutdown.
"""

import argparse
import re
import subprocess
import sys
import tempfile
from pathlib import Path

HERE = Path(__file__).resolve().parent
CONNECT = ["receiver add Kiro-7", "wait 1200", "tap search", "wait 300", "select 0",
           "wait 600", "tap back", "wait 300"]


def counted(argv, tmp, name):
    """Runs argv under callgrind; its instruction count and the lines it printed."""
    out = Path(tmp) / f"{name}.callgrind"
    run = subprocess.run(["valgrind", "--tool=callgrind", f"--callgrind-out-file={out}", *argv],
                         capture_output=True, text=True, check=True)
    totals = re.search(r"^summary: (\d+)", out.read_text(), re.MULTILINE)
    return int(totals.group(1)), run.stdout


def app_frames(app, tmp, held_ms):
    script = Path(tmp) / f"held{held_ms}.kiro"
    script.write_text("\n".join(CONNECT + ["press R", f"wait {held_ms}", "release R", "wait 500", "quit"]) + "\n")
    count, out = counted([app, "--simulate", "--headless", "--settings", f"{tmp}/s{held_ms}.ini",
                          "--documents", tmp, "--script", str(script)], tmp, f"app{held_ms}")
    return count, out.count('"event":"write"')


def bare_ticks(bare, tmp, seconds, extra):
    count, out = counted([bare, "--seconds", str(seconds), *extra], tmp, f"bare{seconds}{len(extra)}")
    return count, out.count('"event":"tick"')


def per_step(short, long):
    return (long[0] - short[0]) / (long[1] - short[1])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", type=Path, default=HERE.parent / "build/release/kiro-remote")
    parser.add_argument("--bare", type=Path, default=HERE.parent / "build/release/bench/kiro_bare_timer")
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as tmp:
        app = per_step(app_frames(args.app, tmp, 2000), app_frames(args.app, tmp, 10000))
        bare = per_step(bare_ticks(args.bare, tmp, 4, []), bare_ticks(args.bare, tmp, 12, []))
        woken = per_step(bare_ticks(args.bare, tmp, 4, ["--answer-ms", "10"]),
                         bare_ticks(args.bare, tmp, 12, ["--answer-ms", "10"]))
    print(f"instructions a held frame, headless: {app:,.0f}")
    print(f"a bare timer's tick: {bare:,.0f} (app {app / bare:.1f}x)")
    print(f"a bare timer's tick, woken again 10 ms after: {woken:,.0f} (app {app / woken:.1f}x)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
