# Sourced by the other scripts: the project-local Wine prefix and quiet Wine settings.
# Never the user's own prefix: the program deletes files across its drive C:.
PELKARIN_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${PELKARIN_WINEPREFIX:-$PELKARIN_ROOT/build/wineprefix}"
export WINEARCH=win32
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export LC_ALL=C.UTF-8
