#!/usr/bin/env bash
# Remakes docs/screenshots/ with the app itself, in a virtual display.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kiro-remote
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
xvfb-run -a build/release/kiro-remote --simulate --settings "$settings/settings.ini" \
  --documents "$settings" --script docs/screenshots.kiro >/dev/null
