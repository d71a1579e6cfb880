#!/usr/bin/env bash
# CTest's emulator: runs one Windows program ($2...) under Wine in flavour $1's prefix.
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
pelkarin_use_flavour "$1" || exit 1
shift
exec "$WINELOADER" "$@"
