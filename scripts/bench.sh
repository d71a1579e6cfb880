#!/usr/bin/env bash
# Builds and runs the sweep benchmark in the Win32 build under Wine: the in-memory
# machine's per-entry costs, then a real scratch tree on the prefix's drive C:.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" --target pelkarin_bench
scripts/wine-prefix.sh
source scripts/wine-env.sh
wine build/win32/bench/pelkarin_bench.exe </dev/null
