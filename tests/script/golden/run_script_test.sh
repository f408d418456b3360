#!/bin/sh
# Runs kiro-remote headless on the virtual clock with its own settings and documents.
#   run_script_test.sh APP golden NAME   stdout must equal NAME.expected.jsonl, and the log
#                                         NAME.expected.log where there is one (short sessions
#                                         only, so a changed line is read in context), exit 0,
#                                         store saved
#   run_script_test.sh APP bad NAME      exit 2, stderr names the line, settings kept as they were
# A new session's goldens are that run's stdout and stderr, read through before they are
# kept; an existing event stream is the contract and is never rewritten to pass.
set -u
app=$1 mode=$2 name=$3
work=$(mktemp -d) || exit 1
trap 'rm -rf "$work"' EXIT
run() {
  "$app" "$@" --headless --simulate --virtual-time --settings "$work/settings.ini" --documents "$work/Documents" \
    --script "$name.txt" >"$work/out.jsonl" 2>"$work/err.txt"
}

case $mode in
golden)
  run --verbose
  status=$?
  [ $status -eq 0 ] || { echo "exit status $status, expected 0" >&2; cat "$work/err.txt" >&2; exit 1; }
  # The shot logs' paths are this run's folder's.
  sed "s|$work|WORK|g" "$work/out.jsonl" | diff -u "$name.expected.jsonl" - || exit 1
  [ ! -f "$name.expected.log" ] || diff -u "$name.expected.log" "$work/err.txt" || exit 1
  [ -f "$work/Documents/Tavrel.sqlite" ] || { echo "the object store was not saved" >&2; exit 1; }
  ;;
bad)
  printf '[General]\njumpFlag=0\nkept=from an earlier run\n' >"$work/settings.ini"
  cp "$work/settings.ini" "$work/settings.before"
  run
  status=$?
  [ $status -eq 2 ] || { echo "exit status $status, expected 2" >&2; cat "$work/err.txt" >&2; exit 1; }
  grep -q "^script line 3: " "$work/err.txt" || { echo "no message naming line 3:" >&2; cat "$work/err.txt" >&2; exit 1; }
  cmp "$work/settings.before" "$work/settings.ini" || { echo "the settings file changed" >&2; exit 1; }
  ;;
*)
  echo "unknown mode $mode" >&2
  exit 1
  ;;
esac
