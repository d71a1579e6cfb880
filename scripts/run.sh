#!/usr/bin/env bash
# Builds Pelkarin.exe and starts it under Wine in the project-local prefix, from the
# folder that holds the .exe and its description files: the 32-bit release where this
# host can execute it, otherwise the 64-bit build. Uses a virtual display when there is
# no X display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
source scripts/wine-env.sh
flavour=$(pelkarin_default_flavour)
if [ "$flavour" = win32 ]; then
  echo "Starting the 32-bit release (win32)." >&2
else
  echo "Starting the 64-bit build (win64): 32-bit $(pelkarin_win32_unavailable)." >&2
fi
cmake --preset "$flavour" >/dev/null
cmake --build --preset "$flavour" -j "$(nproc)" --target Pelkarin
scripts/wine-prefix.sh "$flavour"
pelkarin_use_flavour "$flavour"
cd "build/$flavour/dist"
if [ -n "${DISPLAY:-}" ]; then
  exec "$WINELOADER" Pelkarin.exe
fi
echo "No X display: starting Pelkarin under a virtual display (Xvfb)." >&2
exec xvfb-run -a -s "-screen 0 1024x768x24" "$WINELOADER" Pelkarin.exe
