#!/usr/bin/env bash
# Installs what is missing, builds the suite under ASan and UBSan, and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
cmake --preset asan
cmake --build --preset asan
ctest --preset asan
