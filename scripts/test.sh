#!/usr/bin/env bash
# Builds both presets and runs every test: native tests directly, Win32 tests under
# Wine (project-local prefix) inside a virtual X display. Exits non-zero on any failure.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
jobs=$(nproc)

cmake --preset native >/dev/null
cmake --build --preset native -j "$jobs"
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$jobs"

scripts/wine-prefix.sh
source scripts/wine-env.sh
wineserver -p
trap 'wineserver -k 2>/dev/null || true' EXIT

status=0
echo "== native tests"
ctest --preset native -j "$jobs" || status=1
echo "== Win32 tests under Wine"
# Wine's background services start with the first Wine process and outlive it: start
# them on the virtual display with their output closed, or CTest waits on the pipes they
# would inherit from the first test.
xvfb-run -a -s "-screen 0 1024x768x24" \
  bash -c 'wine cmd /c exit </dev/null >/dev/null 2>&1; ctest --preset win32' || status=1
exit $status
