#!/usr/bin/env bash
# Makes the docs' pictures of the main window, in the 64-bit build under Wine on a virtual
# display: docs/screenshot-144dpi.png and docs/screenshot-192dpi.png at 144 and 192 dots
# per inch (the prefix's LogPixels for the time, as it was afterwards), and
# docs/screenshot-highcontrast.png in high contrast.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
scripts/install-deps.sh
source scripts/wine-env.sh
cmake --preset win64 >/dev/null
cmake --build --preset win64 -j "$(nproc)" --target pelkarin_screenshot
scripts/wine-prefix.sh win64
pelkarin_use_flavour win64
"$WINESERVER" -p
trap '"$WINESERVER" -k 2>/dev/null || true' EXIT
export SHOT=build/win64/bench/pelkarin_screenshot.exe
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  desktop="HKCU\\Control Panel\\Desktop"
  saved=$("$WINELOADER" reg query "$desktop" /v LogPixels 2>/dev/null | sed -n "s/.*REG_DWORD *//p" | tr -d "\r")
  status=0
  for dpi in 144 192; do
    "$WINELOADER" reg add "$desktop" /v LogPixels /t REG_DWORD /d $dpi /f >/dev/null 2>&1
    "$WINELOADER" "$SHOT" build/screenshot-${dpi}dpi.bmp </dev/null || status=1
  done
  if [ -n "$saved" ]; then
    "$WINELOADER" reg add "$desktop" /v LogPixels /t REG_DWORD /d "$((saved))" /f >/dev/null 2>&1
  else
    "$WINELOADER" reg delete "$desktop" /v LogPixels /f >/dev/null 2>&1
  fi
  "$WINELOADER" "$SHOT" build/screenshot-highcontrast.bmp highcontrast </dev/null && exit $status'
for name in screenshot-144dpi screenshot-192dpi screenshot-highcontrast; do
  python3 - "build/$name.bmp" "docs/$name.png" <<'PYTHON'
# A 24-bit bottom-up BMP as an RGB PNG.
import struct, sys, zlib
data = open(sys.argv[1], 'rb').read()
offset, = struct.unpack_from('<I', data, 10)
width, height = struct.unpack_from('<ii', data, 18)
stride = (width * 3 + 3) & ~3
rows = b''
for y in range(height - 1, -1, -1):
    row = data[offset + y * stride:offset + y * stride + width * 3]
    rows += b'\0' + bytes(b for i in range(0, len(row), 3) for b in (row[i + 2], row[i + 1], row[i]))
def chunk(kind, body):
    return struct.pack('>I', len(body)) + kind + body + struct.pack('>I', zlib.crc32(kind + body))
png = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', width, height, 8, 2, 0, 0, 0))
png += chunk(b'IDAT', zlib.compress(rows, 9)) + chunk(b'IEND', b'')
open(sys.argv[2], 'wb').write(png)
PYTHON
  echo "docs/$name.png"
done
