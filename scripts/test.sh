#!/usr/bin/env bash
# Builds the three presets and runs every test: the native tests directly, then the Wine
# suites inside a virtual X display, in each flavour's project-local prefix: 64-bit
# always, 32-bit where this host can execute it. Exits non-zero on any failure, and when
# no Windows flavour could run at all.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
source scripts/wine-env.sh
jobs=$(nproc)

for preset in native win32 win64; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset" -j "$jobs"
done
# The distribution zips, so a broken packaging step shows here.
for preset in win32 win64; do
  cmake --build --preset "$preset" --target package >/dev/null
done

# One wineserver for the flavour's whole run. Wine's background services start with the
# first Wine process and outlive it: start them on the virtual display with their output
# closed, or CTest waits on the pipes they would inherit from the first test.
run_wine_suites() (
  pelkarin_use_flavour "$1"
  "$WINESERVER" -p
  trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
  xvfb-run -a -s "-screen 0 1024x768x24" \
    bash -c '"$WINELOADER" cmd /c exit </dev/null >/dev/null 2>&1; ctest --preset "$PELKARIN_FLAVOUR"'
)

flavours=(win64)
win32_skipped=$(pelkarin_win32_unavailable)
[ -z "$win32_skipped" ] && flavours=(win32 win64)

status=0
echo "== native tests"
ctest --preset native -j "$jobs" || status=1
ran=()
for flavour in "${flavours[@]}"; do
  echo "== Wine suites, $flavour"
  if ! scripts/wine-prefix.sh "$flavour"; then
    status=1
    continue
  fi
  ran+=("$flavour")
  run_wine_suites "$flavour" || status=1
done

if [ ${#ran[@]} -eq 0 ]; then
  echo "== No Windows flavour could run on this host: the Wine suites did not run."
  exit 1
fi
line="== Wine suites ran on: ${ran[*]}"
[ -n "$win32_skipped" ] && line+="; win32 skipped: $win32_skipped"
echo "$line."
exit $status
