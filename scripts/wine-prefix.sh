#!/usr/bin/env bash
# Creates the project-local Wine prefix once; later calls reuse it.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
stamp="$WINEPREFIX/.pelkarin-ready"
[ -f "$stamp" ] && exit 0
rm -rf "$WINEPREFIX"
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot -i >/dev/null 2>&1
# Wine draws the frames of every top-level window itself: message boxes get frames
# under a bare X server and close at once.
wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
# The real "MS Sans Serif" bitmap face instead of a fallback.
cp /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
wineserver -w
touch "$stamp"
