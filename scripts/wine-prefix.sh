#!/usr/bin/env bash
# Makes flavour $1's project-local Wine prefix once (later calls reuse it) and checks on
# every call that it is sealed: nothing under its drive C: links outside the prefix.
set -euo pipefail
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
pelkarin_use_flavour "$1"
stamp="$WINEPREFIX/.pelkarin-ready"
if [ ! -f "$stamp" ]; then
  rm -rf "$WINEPREFIX"
  mkdir -p "$(dirname "$WINEPREFIX")"
  if ! "$WINELOADER" wineboot -i >"$WINEPREFIX.log" 2>&1 || [ ! -d "$WINEPREFIX/drive_c/windows" ]; then
    echo "wineboot could not make the $1 prefix; its output is in $WINEPREFIX.log" >&2
    exit 1
  fi
  # Wine draws the frames of every top-level window itself: message boxes get frames
  # under a bare X server and close at once.
  "$WINELOADER" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1
  # The real "MS Sans Serif" bitmap face instead of a fallback.
  cp /usr/share/wine/fonts/*.fon "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
  "$WINESERVER" -w
  touch "$stamp"
fi
# Tahoma, the scalable face the window takes where "MS Sans Serif" has no size large
# enough, and Marlett, whose glyphs the caption's buttons are drawn with: Wine ships both,
# but its prefixes do not see them. Also into older prefixes.
cp -n /usr/share/wine/fonts/tahoma*.ttf /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" \
  2>/dev/null || true

# Wine links the user's folders (Desktop, Documents, ...) to the Linux home, and deleting
# through such a link deletes its target outside the prefix: make them real folders.
prefix=$(readlink -f "$WINEPREFIX")
links_out_of_prefix() {
  find "$WINEPREFIX/drive_c" -type l -print0 | while IFS= read -r -d '' link; do
    case "$(readlink -f "$link" || true)" in "$prefix"/*) ;; *) printf '%s\0' "$link" ;; esac
  done
}
while IFS= read -r -d '' link; do
  target=$(readlink -f "$link" || true)
  rm -f "$link"
  if [ -d "$target" ]; then mkdir "$link"; fi
done < <(links_out_of_prefix)
if [ -n "$(links_out_of_prefix | tr '\0' '\n')" ]; then
  echo "the $1 prefix still links outside itself under drive C:" >&2
  exit 1
fi
