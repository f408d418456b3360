#!/usr/bin/env bash
# Installs what is missing, builds the app optimised, and runs it with the given options.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset release >/dev/null
cmake --build --preset release --target kiro-remote
exec build/release/kiro-remote "$@"
