#!/usr/bin/env bash
# Builds Pelkarin.exe and starts it under Wine in the project-local prefix, from the
# folder that holds the .exe and its description files. Uses a virtual display when
# there is no X display.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
cmake --preset win32 >/dev/null
cmake --build --preset win32 -j "$(nproc)" --target Pelkarin
scripts/wine-prefix.sh
source scripts/wine-env.sh
cd build/win32/dist
if [ -n "${DISPLAY:-}" ]; then
  exec wine Pelkarin.exe
fi
echo "No X display: starting Pelkarin under a virtual display (Xvfb)." >&2
exec xvfb-run -a -s "-screen 0 1024x768x24" wine Pelkarin.exe
