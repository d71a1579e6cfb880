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

# One wineserver and one virtual display for the flavour's whole run. Wine's background
# services start with the first Wine process and outlive it: start them on the virtual
# display with their output closed, or CTest waits on the pipes they would inherit from
# the first test. Each flavour's suites run twice, first with Wine reporting Windows 98 to
# the program (the 64-bit build sees it too, so hosts without 32-bit programs still run the
# Windows 95/98/Me paths), then Windows XP for the release and the prefix's default for the
# 64-bit build.
run_wine_suites() (
  pelkarin_use_flavour "$1"
  "$WINESERVER" -p
  trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
  export PELKARIN_WINDOWS_VERSIONS="win98 default"
  [ "$1" = win32 ] && PELKARIN_WINDOWS_VERSIONS="win98 winxp"
  xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
    "$WINELOADER" cmd /c exit </dev/null >/dev/null 2>&1
    status=0
    for version in $PELKARIN_WINDOWS_VERSIONS; do
      echo "== Windows version Wine reports: $version"
      if [ "$version" = default ]; then
        "$WINELOADER" reg delete "HKCU\\Software\\Wine" /v Version /f </dev/null >/dev/null 2>&1
      else
        "$WINELOADER" reg add "HKCU\\Software\\Wine" /v Version /d "$version" /f </dev/null >/dev/null 2>&1 || status=1
      fi
      ctest --preset "$PELKARIN_FLAVOUR" || status=1
    done
    "$WINELOADER" reg delete "HKCU\\Software\\Wine" /v Version /f </dev/null >/dev/null 2>&1
    exit $status'
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
