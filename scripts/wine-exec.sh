#!/usr/bin/env bash
# Runs one Windows program under Wine in the project-local prefix (CTest's emulator).
source "$(dirname "${BASH_SOURCE[0]}")/wine-env.sh"
exec wine "$@"
