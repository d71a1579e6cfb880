# Sourced by the other scripts: which Windows flavours this host can run, and each
# flavour's Wine loader, server and project-local prefix. Never the user's own prefix:
# the program deletes files across the prefix's drive C:.
#
# 64-bit Wine runs on every host. 32-bit Wine runs only where the kernel executes 32-bit
# programs; Debian's wine and wineboot wrappers pick the 32-bit loader whenever it is
# installed, even where it cannot run, so every command here names its loader itself.
# PELKARIN_NO_WIN32=1 switches the 32-bit flavour off, as on a host without 32-bit support.
PELKARIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)

# Prints why this host cannot run the 32-bit flavour; prints nothing when it can.
pelkarin_win32_unavailable() {
  if [ -n "${PELKARIN_NO_WIN32:-}" ]; then
    echo "switched off by PELKARIN_NO_WIN32"
  elif ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
    echo "this host cannot execute 32-bit programs"
  fi
}

# The flavour the program runs in here: the 32-bit release where possible.
pelkarin_default_flavour() {
  if [ -z "$(pelkarin_win32_unavailable)" ]; then echo win32; else echo win64; fi
}

# Exports the prefix, loader, server and quiet settings of flavour $1 (win32 or win64).
pelkarin_use_flavour() {
  case "$1" in
    win32) export WINELOADER=/usr/lib/wine/wine WINESERVER=/usr/lib/wine/wineserver ;;
    win64) export WINELOADER=/usr/lib/wine/wine64 WINESERVER=/usr/lib/wine/wineserver64 ;;
    *) echo "unknown Windows flavour '$1' (win32 or win64)" >&2; return 1 ;;
  esac
  export PELKARIN_FLAVOUR=$1
  export WINEARCH=$1
  export WINEPREFIX="$PELKARIN_ROOT/build/wineprefix-$1"
  export WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="
  export LC_ALL=C.UTF-8
}
