#!/bin/sh
# A 20 MB line is refused with its number and exit 2, on both paths, and nothing of it runs
# (it is "state" padded with spaces).
set -u
app=$1
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
{ printf 'wait 10\nstate'; head -c 20000000 /dev/zero | tr '\0' ' '; printf '\nstate\n'; } >"$work/script.txt"
for clock in --virtual-time ""; do
  "$app" --headless --simulate $clock --settings "$work/s.ini" --documents "$work" <"$work/script.txt" \
    >"$work/out.jsonl" 2>"$work/err.txt"
  status=$?
  [ $status -eq 2 ] || { echo "${clock:-real time}: exit status $status, expected 2" >&2; exit 1; }
  grep -qx 'script line 2: the line is longer than 1 MiB' "$work/err.txt" || { cat "$work/err.txt" >&2; exit 1; }
  ! grep -q '"event":"state"' "$work/out.jsonl" || { echo "${clock:-real time}: the long line ran" >&2; exit 1; }
done
