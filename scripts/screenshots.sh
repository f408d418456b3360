#!/usr/bin/env bash
# Remakes docs/screenshots/ with the app itself, in a virtual display: in English, and in
# each language shipped in its own folder.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kiro-remote
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
shoot() {  # LANG FOLDER
  local run
  run=$(mktemp -d -p "$settings")
  mkdir -p "$2"
  sed "s#docs/screenshots/#$2/#" docs/screenshots.kiro >"$run/shots.kiro"
  env -u LANGUAGE -u LC_ALL -u LC_MESSAGES LANG="$1" xvfb-run -a build/release/kiro-remote --simulate \
    --settings "$run/settings.ini" --documents "$run" --script "$run/shots.kiro" >/dev/null
}
shoot C.UTF-8 docs/screenshots
shoot de_DE.UTF-8 docs/screenshots/de
shoot zh_CN.UTF-8 docs/screenshots/zh_CN
