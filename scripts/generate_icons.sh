#!/usr/bin/env bash
# Remakes the app icon's PNG sizes from its SVG, the one drawn by hand.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh librsvg2-bin
icons=data/icons/hicolor
id=io.github.kiro_remote.KiroRemote
for size in 16 32 48 64 128 256; do
  mkdir -p "$icons/${size}x$size/apps"
  rsvg-convert -w "$size" -h "$size" "$icons/scalable/apps/$id.svg" -o "$icons/${size}x$size/apps/$id.png"
done
