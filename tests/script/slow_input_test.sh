#!/bin/sh
# Real time, lines from a pipe: while the next line is slow to come, the pump goes on.
# The waits take 2.25 s; F is then latched and "quit" comes about a second and a half
# later, in which the receiver must get a frame every 25 ms.
set -u
app=$1
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
{
  printf 'receiver add "KIRO 1" --id 4B49524F-0000-4000-8000-000000000001\nwait 1100\ntap search\nwait 50\n'
  printf 'select 0\nwait 500\ntap back\nwait 600\npress F\n'
  sleep 4
  printf 'quit\n'
} | "$app" --headless --simulate --settings "$work/s.ini" --documents "$work/d" >"$work/out.jsonl" || exit 1
frames=$(grep -c '"event":"write"' "$work/out.jsonl")
echo "frames written while no line came: $frames"
[ "$frames" -ge 20 ]
