#!/usr/bin/env python3
# Every #include "..." of the product stays on its floor or goes down to one the floors table
# of docs/architecture.md lets it include, and the core includes no Qt. The table is the list:
# a floor's row names the floors it includes, or "all of the above".
# Usage: floors_test.py SOURCE_DIR. Says each fault as FILE:LINE and fails.
import os
import re
import sys

root = sys.argv[1]
TOP = ("platform/qt/", "main.cpp")  # the adapters and the composition root include anything

table = open(os.path.join(root, "docs/architecture.md"), encoding="utf-8").read()
table = table.split("## Floors", 1)[1].split("\n## ", 1)[0]
allowed, faults = {}, []
for floor, includes in re.findall(r"^\| `([^`]+/)` \|[^|]*\| ([^|]*) \|$", table, re.M):
    below = set(allowed)
    named = set(re.findall(r"`([^`]+/)`", includes))
    if named - below:
        faults.append(f"docs/architecture.md: {floor} includes {', '.join(sorted(named - below))}, not below it")
    allowed[floor] = {floor} | (below if "all of the above" in includes else named)


def floor_of(path):
    return max((f for f in allowed if path.startswith(f)), key=len, default=None)


NOT_PRODUCT = {"tests", "fuzz", "bench", "build"}
for folder, dirs, files in os.walk(root):
    dirs[:] = [d for d in dirs if not d.startswith(".") and not (folder == root and d in NOT_PRODUCT)]
    for name in files:
        path = os.path.relpath(os.path.join(folder, name), root)
        if not name.endswith((".cpp", ".h")) or path.startswith(TOP):
            continue
        floor = floor_of(path)
        if floor is None:
            faults.append(f"{path}: on no floor of the table")
            continue
        for number, line in enumerate(open(os.path.join(folder, name), encoding="utf-8"), 1):
            if re.match(r"\s*#\s*include\s*<(Q|qt)", line):
                faults.append(f"{path}:{number}: the core includes Qt: {line.strip()}")
            included = re.match(r'\s*#\s*include\s*"([^"]+)"', line)
            if included and floor_of(included[1]) not in allowed[floor]:
                faults.append(f"{path}:{number}: {floor} includes {included[1]}, not on a floor below it")

print("\n".join(faults) or f"{len(allowed)} floors, every include on its way down")
sys.exit(1 if faults else 0)
