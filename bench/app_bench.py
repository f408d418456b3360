#!/usr/bin/env python3
"""Whole-app figures for kiro-remote, each beside a bare Qt 25 ms timer run at the same time.

Builds nothing: cmake --preset release && cmake --build --preset release --target kiro-remote kiro_bare_timer
Usage: bench/app_bench.py [--app PATH] [--bare PATH] [--runs 3] [--load]
A measurement, not a test: it exits 0 when goals fail and non-zero only when a run goes wrong.
"""

import argparse
import os
import selectors
import statistics
import subprocess
import sys
import tempfile
import time
from pathlib import Path

from bench_processes import BenchError, Proc, cpu_ns, run_pair

HERE = Path(__file__).resolve().parent
DEFAULT_APP = HERE.parent / "build/release/kiro-remote"
DEFAULT_BARE = HERE.parent / "build/release/bench/kiro_bare_timer"

TICK_MS = 25.0
LATE_MS = TICK_MS * 1.5
HELD_S = 10.0
LAUNCHES = 5
IDLE_S = 5.0
REFRESH_S = 3.0
MS = 1_000_000
REPORT = "发现外围设备".encode()
FLUSH = b"qt.widgets.painting: Flushing QRegion("
PAINTING = {"QT_LOGGING_RULES": "qt.widgets.painting=true"}

CONNECT = ["receiver add Kiro-7", "wait 1200", "tap search", "wait 300", "select 0",
           "wait 600", "tap back", "wait 300"]


class Bench:
    def __init__(self, args, display):
        self.app = str(args.app)
        self.bare = str(args.bare)
        self.display = display

    def env(self, window, extra=None):
        env = dict(os.environ)
        env.pop("WAYLAND_DISPLAY", None)
        env.pop("QT_QPA_PLATFORM", None)
        env.pop("QT_LOGGING_RULES", None)
        if window:
            env["DISPLAY"] = f":{self.display}"
        env.update(extra or {})
        return env

    def app_argv(self, window, lines, tmp, verbose=False):
        script = Path(tmp) / "run.kiro"
        script.write_text("\n".join(lines + ["quit"]) + "\n")
        argv = [self.app, "--simulate", "--settings", f"{tmp}/s.ini", "--documents", tmp,
                "--script", str(script)]
        argv += [] if window else ["--headless"]
        return argv + (["--verbose"] if verbose else [])

    def bare_argv(self, window, seconds):
        return [self.bare, "--seconds", str(seconds)] + (["--window"] if window else [])

    def pair(self, window, lines, tmp, verbose=False, extra=None, seconds=120):
        # Both start together so that both meet the same load.
        return (Proc("kiro-remote", self.app_argv(window, lines, tmp, verbose), self.env(window, extra)),
                Proc("kiro_bare_timer", self.bare_argv(window, seconds), self.env(window, extra)))

    def one_after_the_other(self, window, lines, extra=None):
        """Start-up: the bare program, then the app, each alone. Started together, the app's
        helper threads would take the second core from the bare program and flatter it."""
        bare = Proc("kiro_bare_timer", self.bare_argv(window, 0.3), self.env(window, extra))
        run_alone(bare)
        with tempfile.TemporaryDirectory() as tmp:
            app = Proc("kiro-remote", self.app_argv(window, lines, tmp), self.env(window, extra))
            run_alone(app)
        return app, bare

    def held(self, window, verbose):
        """Connected and idle, then R held; CPU and frame times over both spans. Unless
        verbose, a bare timer that also wakes 10 ms after each tick runs beside them: the
        least a held frame can cost, since the app must wake for the receiver's answer."""
        idle_ms = int((IDLE_S + 0.3) * 1000) if not verbose else 300
        lines = CONNECT + ["state", f"wait {idle_ms}", "press R",
                           f"wait {int((HELD_S + 0.5) * 1000)}", "release R", "wait 1100"]
        spans = {}
        with tempfile.TemporaryDirectory() as tmp:
            app, bare = self.pair(window, lines, tmp, verbose)
            woken = [] if verbose else [
                Proc("kiro_bare_timer --answer-ms 10",
                     self.bare_argv(window, 120) + ["--answer-ms", "10"], self.env(window))]

            def sample():
                return {proc: cpu_ns(proc.popen.pid) for proc in (app, bare, *woken)}

            def span(name, length, now):
                start = (now, sample())
                spans[name] = start

                def close():
                    spans[name] = (start[0], start[1], time.monotonic_ns(), sample())
                return [(length, close)]

            def watch(proc, stream, line, now):
                if proc is not app or stream != "out":
                    return None
                if b'"event":"state"' in line and "idle" not in spans and not verbose:
                    return span("idle", IDLE_S, now)
                if b'"event":"write"' in line and "held" not in spans:
                    return span("held", HELD_S, now)
                return None

            run_pair(app, bare, watch, also=woken)
        if "held" not in spans:
            raise BenchError("kiro-remote wrote no frame while R was held")
        result = {}
        for name, (t0, cpu0, t1, cpu1) in spans.items():
            result[name] = {
                "wall": t1 - t0,
                "app_cpu": cpu1[app] - cpu0[app],
                "bare_cpu": cpu1[bare] - cpu0[bare],
                "woken_cpu": sum(cpu1[proc] - cpu0[proc] for proc in woken),
                "writes": app.stamps("out", b'"event":"write"', t0, t1),
                "ticks": bare.stamps("out", b'"event":"tick"', t0, t1),
                "log_lines": len([t for t, _ in app.lines["err"] if t0 <= t <= t1]),
            }
        return result

    def many(self, window, probe):
        """300 receivers, one connected with F latched, then a refresh. The app writes no
        frame on the device list, so with probe a state command every 25 ms shows when its
        main loop runs; without, the log and Qt's painting log show when the list is drawn."""
        lines = [f"receiver add Kiro-{n:03d}" for n in range(1, 301)]
        lines += CONNECT[1:] + ["press F", "wait 200", "tap search", "wait 1000", "tap refresh"]
        if probe:
            lines += ["state", "wait 25"] * int(REFRESH_S * 1000 / TICK_MS)
        else:
            lines += [f"wait {int(REFRESH_S * 1000)}"]
        with tempfile.TemporaryDirectory() as tmp:
            extra = None if probe else PAINTING
            app, bare = self.pair(window, lines, tmp, verbose=not probe, extra=extra)
            run_pair(app, bare)
        ticks = bare.stamps("out", b'"event":"tick"')
        if probe:
            states = app.stamps("out", b'"event":"state"')
            if not states:
                raise BenchError("kiro-remote printed no state after the refresh")
            t0, t1 = states[0], states[0] + int(REFRESH_S * 1e9)
            return (worst_gap([t for t in states if t <= t1]) - TICK_MS,
                    worst_gap([t for t in ticks if t0 <= t <= t1]) - TICK_MS)
        reports = app.stamps("err", REPORT)
        if not reports:
            raise BenchError("kiro-remote logged no discovery report")
        flushes = app.stamps("err", FLUSH, reports[-1])
        if not flushes:
            raise BenchError("kiro-remote drew nothing after its last discovery report")
        t0, t1 = reports[-1], flushes[0]
        around = [t for t in ticks if t <= t0][-1:] + [t for t in ticks if t0 < t < t1] \
            + [t for t in ticks if t >= t1][:1]
        return (t1 - t0) / MS, worst_gap(around) - TICK_MS

    def first_frame(self):
        app, bare = self.one_after_the_other(True, ["wait 300"], extra=PAINTING)
        return tuple((p.stamps("err", FLUSH) or [None])[0] for p in (app, bare)), (app, bare)

    def first_event(self):
        app, bare = self.one_after_the_other(False, ["state", "wait 100"])
        return tuple((p.stamps("out", b"") or [None])[0] for p in (app, bare)), (app, bare)


def run_alone(proc):
    """Runs one child to its end, its lines stamped as they arrive."""
    sel = selectors.DefaultSelector()
    sel.register(proc.popen.stdout, selectors.EVENT_READ, "out")
    sel.register(proc.popen.stderr, selectors.EVENT_READ, "err")
    streams = 2
    try:
        while streams:
            for key, _ in sel.select():
                data = os.read(key.fd, 1 << 16)
                if not data:
                    sel.unregister(key.fileobj)
                    streams -= 1
                    continue
                proc.take(key.data, data, time.monotonic_ns())
    finally:
        sel.close()
        proc.popen.stdout.close()
        proc.popen.stderr.close()
    if proc.popen.wait() != 0:
        raise BenchError(f"{proc.name} exited with status {proc.popen.returncode}")


def worst_gap(stamps):
    return max((b - a) / MS for a, b in zip(stamps, stamps[1:])) if len(stamps) > 1 else 0.0


def deviations_p99(stamps):
    devs = sorted(abs((b - a) / MS - TICK_MS) for a, b in zip(stamps, stamps[1:]))
    return devs[max(0, -(-len(devs) * 99 // 100) - 1)] if devs else 0.0


def late_gaps(stamps):
    return [(a, b) for a, b in zip(stamps, stamps[1:]) if (b - a) / MS > LATE_MS]


def lost(gaps):
    return sum(round((b - a) / MS / TICK_MS) - 1 for a, b in gaps)


def unshared_lost(app_stamps, bare_stamps):
    """Frames the app lost in a stretch where the bare timer lost none."""
    bare_gaps = late_gaps(bare_stamps)
    return lost([(a, b) for a, b in late_gaps(app_stamps)
                 if not any(c < b and d > a for c, d in bare_gaps)])


def spawn_to(result, what):
    (app_t, bare_t), (app, bare) = result
    if app_t is None or bare_t is None:
        raise BenchError(f"no {what} seen from " + (app.name if app_t is None else bare.name))
    return (app_t - app.spawn_ns) / MS, (bare_t - bare.spawn_ns) / MS


def start_up(launch, what):
    """One launch's start-up time swings by a third: a run takes the median of several."""
    times = [spawn_to(launch(), what) for _ in range(LAUNCHES)]
    return statistics.median(a for a, _ in times), statistics.median(b for _, b in times)


def measure(bench, runs):
    figures = {}

    def add(name, app_value, bare_value):
        figures.setdefault(name, []).append((app_value, bare_value))

    for run in range(runs):
        for window in (True, False):
            mode = "window" if window else "headless"
            print(f"run {run + 1}/{runs}, {mode}", file=sys.stderr, flush=True)
            quiet = bench.held(window, verbose=False)
            held, idle = quiet["held"], quiet["idle"]
            add(f"R held CPU % ({mode})", 100 * held["app_cpu"] / held["wall"],
                100 * held["bare_cpu"] / held["wall"])
            add(f"idle CPU % ({mode})", 100 * idle["app_cpu"] / idle["wall"],
                100 * idle["bare_cpu"] / idle["wall"])
            add(f"pump p99 |gap-25| ms ({mode})", deviations_p99(held["writes"]),
                deviations_p99(held["ticks"]))
            add(f"R held floor CPU % ({mode})", 100 * held["woken_cpu"] / held["wall"],
                100 * held["bare_cpu"] / held["wall"])
            add(f"R held over floor ({mode})", 100 * held["app_cpu"] / held["wall"],
                100 * held["woken_cpu"] / held["wall"])
            add(f"frames lost ({mode})", lost(late_gaps(held["writes"])),
                lost(late_gaps(held["ticks"])))
            add(f"frames lost alone ({mode})", unshared_lost(held["writes"], held["ticks"]), 0)
            loud = bench.held(window, verbose=True)["held"]
            frames = len(loud["writes"])
            if not frames:
                raise BenchError("kiro-remote wrote no frame in the verbose run")
            add(f"verbose us/frame ({mode})",
                (loud["app_cpu"] - held["app_cpu"] * loud["wall"] / held["wall"]) / frames / 1e3,
                loud["bare_cpu"] / max(1, len(loud["ticks"])) / 1e3)
            add(f"log lines/frame ({mode})", loud["log_lines"] / frames, 0)
            add(f"300 receivers block ms ({mode})", *bench.many(window, probe=True))
            if window:
                add("300 list complete ms (window)", *bench.many(True, probe=False))
                add("first frame ms (window)", *start_up(bench.first_frame, "flush"))
            else:
                add("first event ms (headless)", *start_up(bench.first_event, "line"))
    return figures


GOALS = {  # figure prefix: (goal text, holds(median app, median ratio, values))
    "R held CPU": ("ratio <= 2", lambda a, r, v: r <= 2),
    "R held over floor": ("ratio <= 2", lambda a, r, v: r <= 2),
    "idle CPU": ("ratio <= 1", lambda a, r, v: r <= 1),
    "pump p99": ("ratio <= 1.1", lambda a, r, v: r <= 1.1),
    "frames lost alone": ("0 in every run", lambda a, r, v: all(x == 0 for x, _ in v)),
    "verbose": ("app < 100 us", lambda a, r, v: a < 100),
    "300 receivers block": ("app <= 10 ms", lambda a, r, v: a <= 10),
    "300 list complete": ("app <= 30 ms", lambda a, r, v: a <= 30),
    "first frame": ("ratio <= 1.5", lambda a, r, v: r <= 1.5),
    "first event": ("ratio <= 1.2", lambda a, r, v: r <= 1.2),
}


def spread(values):
    values = [v for v in values if v is not None]
    if not values:
        return "-"
    return f"{min(values):.3g} / {statistics.median(values):.3g} / {max(values):.3g}"


def print_table(figures, runs):
    rows = [("figure", "app min/med/max", "baseline min/med/max", "ratio min/med/max",
             "goal", "holds")]
    for name, values in figures.items():
        apps = [a for a, _ in values]
        # A baseline that is a delay past the tick can be nil or below it: no ratio then.
        ratios = [a / b if b > 0 else None for a, b in values]
        goal, holds = next((g for prefix, g in GOALS.items() if name.startswith(prefix)),
                           ("-", None))
        known = [r for r in ratios if r is not None]
        verdict = "-"
        if holds:
            ratio = statistics.median(known) if known else float("inf")
            verdict = "yes" if holds(statistics.median(apps), ratio, values) else "no"
        rows.append((name, spread(apps), spread([b for _, b in values]), spread(ratios),
                     goal, verdict))
    widths = [max(len(row[i]) for row in rows) for i in range(len(rows[0]))]
    print(f"kiro-remote beside a bare Qt 25 ms timer, {runs} run(s); goals judged on medians;")
    print("R held over floor: the app against the bare timer woken twice a tick, in the same run;")
    print(f"first frame and first event: the median of {LAUNCHES} launches of each per run, "
          "the bare program first, each alone")
    for row in rows:
        print("  ".join(cell.ljust(w) for cell, w in zip(row, widths)).rstrip())


def free_display():
    for n in range(90, 200):
        if not Path(f"/tmp/.X{n}-lock").exists() and not Path(f"/tmp/.X11-unix/X{n}").exists():
            return n
    raise BenchError("no free X display number")


def start_xvfb():
    n = free_display()
    xvfb = subprocess.Popen(["Xvfb", f":{n}", "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.monotonic() + 10
    while not Path(f"/tmp/.X11-unix/X{n}").exists():
        if xvfb.poll() is not None or time.monotonic() > deadline:
            xvfb.kill()
            raise BenchError(f"Xvfb :{n} did not start")
        time.sleep(0.05)
    return n, xvfb


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--app", type=Path, default=DEFAULT_APP)
    parser.add_argument("--bare", type=Path, default=DEFAULT_BARE)
    parser.add_argument("--runs", type=int, default=3)
    parser.add_argument("--load", action="store_true", help="two busy loops run meanwhile")
    args = parser.parse_args()
    for path in (args.app, args.bare):
        if not os.access(path, os.X_OK):
            parser.error(f"{path} is not an executable; build it first (see the top of this file)")

    helpers = []
    try:
        if args.load:
            helpers += [subprocess.Popen([sys.executable, "-c", "while True: pass"])
                        for _ in range(2)]
        display, xvfb = start_xvfb()
        helpers.append(xvfb)
        print_table(measure(Bench(args, display), args.runs), args.runs)
    except BenchError as error:
        print(f"app_bench: {error}", file=sys.stderr)
        return 1
    finally:
        for helper in helpers:
            helper.kill()
            helper.wait()
    return 0


if __name__ == "__main__":
    sys.exit(main())
