#!/usr/bin/env bash
# The layer audit: fails, naming each one, when a source file includes a file of a layer
# above its own, or when a portable file includes a Windows header.
# Usage: check-layers.sh [SOURCE_ROOT]
set -euo pipefail
cd "${1:-$(dirname "$0")/..}"

# The layers from the bottom up; a file may include its own layer and those before it.
# The console program stands beside the window: it reaches the cleaning and below, and
# nothing outside it includes it (below).
layers=(res base engine cleaning console widgets/paint widgets/form widgets/win32 widgets/controls ui)
rank() {
  local i
  for i in "${!layers[@]}"; do
    case $1 in "${layers[$i]}"/*) echo "$i"; return ;; esac
  done
  echo -1
}

faults=0
while IFS= read -r file; do
  own=$(rank "$file")
  while IFS= read -r included; do
    target=$(rank "$included")
    if [ "$target" -lt 0 ] || [ "$target" -gt "$own" ] ||
       { [[ $included == console/* ]] && [[ $file != console/* ]]; }; then
      echo "$file includes $included"
      faults=$((faults + 1))
    fi
  done < <(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$file")
done < <(git ls-files 'base/*' 'engine/*' 'cleaning/*' 'console/*' 'widgets/*' 'ui/*' | grep -E '\.(h|cpp)$')

# The portable core builds without <windows.h>, directly or through a base header that
# includes it; in cleaning/ and console/ only the Win32 files reach Windows.
windows_bound=$(git ls-files 'base/*' | xargs grep -l '#include <windows.h>' || true)
while IFS= read -r file; do
  if grep -q '#include <\(windows\|ole\)' "$file"; then
    echo "$file includes a Windows header"
    faults=$((faults + 1))
  fi
  for bound in $windows_bound; do
    if grep -q "#include \"$bound\"" "$file"; then
      echo "$file includes $bound, which needs Windows"
      faults=$((faults + 1))
    fi
  done
done < <(git ls-files 'base/*' 'engine/*' 'cleaning/*' 'console/*' 'widgets/paint/*' 'widgets/form/*' |
         grep -E '\.(h|cpp)$' | grep -Ev '^(cleaning|console)/Win32' | grep -vxF "$windows_bound")

if [ "$faults" -gt 0 ]; then
  echo "$faults includes run against the layers"
  exit 1
fi
echo "every include stays within its layer or below"
