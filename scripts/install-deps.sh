#!/usr/bin/env bash
# Installs what the build and the tests need on Debian 12, as root. Quick when all is present.
# The 32-bit Wine packages install on every host, also where 32-bit programs cannot run.
set -euo pipefail
packages=(cmake make g++ g++-mingw-w64-i686 g++-mingw-w64-x86-64 googletest
          wine wine32:i386 wine64 fonts-wine xvfb xauth xdotool x11-apps imagemagick)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -ne 0 ]; then
  echo "Missing packages: ${missing[*]}; run this script as root to install them." >&2
  exit 1
fi
dpkg --print-foreign-architectures | grep -qx i386 || dpkg --add-architecture i386
export DEBIAN_FRONTEND=noninteractive
apt-get update -q
apt-get install -y -q --no-install-recommends "${missing[@]}"
