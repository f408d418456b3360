"""A series' shot log against the frames the receiver got, then a run killed mid-series.

Usage: shot_log_test.py APP. Runs APP headless on the virtual clock, the script fed line by
line through a pipe kept open, so the run is still in its series when it is killed.
"""
import csv
import glob
import json
import os
import signal
import subprocess
import sys
import tempfile
import time

ID = "4B49524F-0000-4000-8000-000000000001"
# A name a spreadsheet would run as a formula, with a comma to be quoted.
NAME = "=KIRO, 1"
SETUP = [f'receiver add "{NAME}" --id {ID}', "wait 1100", "tap search", "wait 50", "select 0",
         "wait 500", "tap back", "wait 600"]


def run(work, lines, stderr=None, written=lambda: True):
    app = subprocess.Popen([sys.argv[1], "--headless", "--simulate", "--virtual-time", "--settings",
                            f"{work}/s.ini", "--documents", work], stdin=subprocess.PIPE,
                           stdout=subprocess.PIPE, stderr=stderr, text=True)
    app.stdin.write("\n".join(lines + ["state"]) + "\n")
    app.stdin.flush()
    events = []
    # Everything before the state event is done; the run then waits for its next line.
    while not events or events[-1]["event"] != "state":
        events.append(json.loads(app.stdout.readline()))
    # The log's thread writes each row just after its shot ends; the virtual clock does not wait for it.
    deadline = time.monotonic() + 10
    while not written() and time.monotonic() < deadline:
        time.sleep(0.05)
    os.kill(app.pid, signal.SIGKILL)
    app.wait()
    return events


def main():
    failures = []
    with tempfile.TemporaryDirectory() as work:
        def missed_written():
            return any(',missed: ' in open(log).read() for log in glob.glob(f"{work}/shots/*.csv"))
        events = run(work, SETUP + ["timer interval 3s 20 --bulb 1s", "wait 7100",
                                    f"receiver gone {ID}", "wait 5000"], written=missed_written)
        logs = glob.glob(f"{work}/shots/*.csv")
        with open(logs[0], newline="") as log:
            raw = log.read()
            rows = list(csv.DictReader(raw.splitlines()))
        if not raw.endswith("\r\n") or any(len(row) != 8 or None in row.values() for row in rows):
            failures.append(f"a row is not whole: {raw!r}")
        writes = [e for e in events if e["event"] == "write"]
        # Each shot: its first shutter frame, and the frame after its last one.
        shots = [(w["t"], next(later["t"] for later in writes[i:] if later["bytes"] != "30"))
                 for i, w in enumerate(writes) if w["bytes"] == "30" and (i == 0 or writes[i - 1]["bytes"] != "30")]
        taken = [row for row in rows if row["outcome"] == "taken"]
        # The last shot may be under way when the run is killed: its row is not written yet.
        if len(shots) - len(taken) not in (0, 1) or len(taken) < 3:
            failures.append(f"{len(taken)} rows taken, {len(shots)} shots written")
        for row, (first, after) in zip(taken, shots):
            actual = row["actual start"]
            # The virtual wall clock reads midnight UTC when the run's clock reads 0.
            millis = ((int(actual[11:13]) * 60 + int(actual[14:16])) * 60 + int(actual[17:19])) * 1000 + int(actual[20:23])
            if millis != first or int(row["actual ms"]) != after - first or row["receiver"] != "'" + NAME:
                failures.append(f"row {row['shot']}: {row}; the frames from {first} to {after}")
        if not any(row["outcome"].startswith("missed: ") for row in rows):
            failures.append(f"no shot was missed while the receiver was away: {rows}")
    # A log that cannot be kept is said once, and the series goes on without it.
    with tempfile.TemporaryDirectory() as work, open(f"{work}/err", "w+") as err:
        open(f"{work}/shots", "w").close()
        events = run(work, SETUP + ["timer interval 3s 2 --bulb 1s", "wait 6000"], err)
        err.seek(0)
        said = err.read()
        done = [e for e in events if e.get("state") == "done"]
        if said.count("kiro-remote: the shot log cannot be kept in ") != 1 or not done or done[0]["shot"] != 2:
            failures.append(f"an unwritable log: {said!r}")
    for failure in failures:
        print(failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
