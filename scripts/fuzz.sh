#!/usr/bin/env bash
# Runs each fuzzer for SECONDS (default 60) from its kept corpus. Inputs that reach new code
# are merged into fuzz/corpus (commit them: the test build replays them); a crash stops
# the run and leaves its input in build/fuzz/crashes.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
case $seconds in ''|*[!0-9]*) echo "usage: scripts/fuzz.sh [SECONDS]" >&2; exit 2 ;; esac

scripts/setup.sh clang
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
mkdir -p build/fuzz/crashes
for name in codec json script_parser app; do
  found=build/fuzz/found/$name
  mkdir -p "$found" "fuzz/corpus/$name"
  echo "== $name, ${seconds} s"
  "build/fuzz/fuzz/${name}_fuzzer" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix=build/fuzz/crashes/ "$found" "fuzz/corpus/$name"
  "build/fuzz/fuzz/${name}_fuzzer" -merge=1 "fuzz/corpus/$name" "$found" 2>/dev/null
done
