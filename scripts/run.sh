#!/usr/bin/env bash
# Installs what is missing, builds the app optimised, and runs it with the given options.
# Without a display it says so before the long build. Set-up and build output go to stderr,
# so a headless run's standard output holds only the app's events.
set -euo pipefail
windowless=false
for arg in "$@"; do
  case $arg in --headless | --help | -h | --version) windowless=true ;; esac
done
if ! $windowless && [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ]; then
  cat >&2 <<TEXT
$0: no display found for the window. Run it in a desktop session, or without a window:
  echo state | $0 --headless --simulate --virtual-time
The README's "Scripting a run" shows the script commands; $0 --help lists the options.
TEXT
  exit 1
fi
cd "$(dirname "$0")/.."
scripts/setup.sh >&2
cmake --preset release >/dev/null
cmake --build --preset release --target kiro-remote >&2
exec build/release/kiro-remote "$@"
