#!/usr/bin/env bash
# Builds and runs the benchmarks in a Windows build under Wine: the in-memory machine's
# per-entry costs, whole runs on the prefix's drive C: with trees of 10,000, 50,000 and
# 200,000 files, the report pane and the window's repaints.
# Flavour: $1 (win32 or win64), by default the 32-bit one where this host runs it.
# After the flavour, "walk <files>..." runs only the whole runs over a tree of each size;
# "purge <MB>..." only the purge of a real copy of each size; "paint" only the main
# window's full repaints against a plain window's; "pane" only the report pane's changes
# and a description of 5 MB without a line break; "run <copies>..." only real runs of the
# window deleting that many copies each.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
source scripts/wine-env.sh
flavour=${1:-$(pelkarin_default_flavour)}
cmake --preset "$flavour" >/dev/null
cmake --build --preset "$flavour" -j "$(nproc)" --target pelkarin_bench
scripts/wine-prefix.sh "$flavour"
pelkarin_use_flavour "$flavour"
echo "Benchmark in the $flavour build." >&2
bench=("$WINELOADER" "build/$flavour/bench/pelkarin_bench.exe" "${@:2}")
if [ -n "${DISPLAY:-}" ]; then
  "${bench[@]}" </dev/null
else
  # The window benchmarks need a display: a virtual one, as for scripts/run.sh.
  xvfb-run -a -s "-screen 0 1024x768x24" "${bench[@]}" </dev/null
fi
