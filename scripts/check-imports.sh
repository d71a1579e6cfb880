#!/usr/bin/env bash
# The import audit: fails, naming each one, when a Windows program imports a function that
# its flavour's floor list does not allow.
# Usage: check-imports.sh OBJDUMP PROGRAM LIST (the list as in cmake/floor/).
set -euo pipefail
objdump=$1 program=$2 list=$3

# "DLL!function" per line: the list's "DLL:" headings and names, and objdump's import table.
allowed=$(awk '/^#/ || NF == 0 { next } /:$/ { dll = toupper(substr($1, 1, length($1) - 1)); next }
               { print dll "!" $1 }' "$list" | sort -u)
imported=$("$objdump" -p "$program" | awk '
    /DLL Name:/ { dll = toupper($3); next }
    dll != "" && /^\t[0-9a-f]+\t +[0-9]+ +[^ ]+$/ { print dll "!" $3 }' | sort -u)
if [ -z "$imported" ]; then
  echo "no imports read from $program: objdump's output was not understood" >&2
  exit 1
fi

outside=$(comm -23 <(echo "$imported") <(echo "$allowed"))
if [ -n "$outside" ]; then
  echo "$(basename "$program") imports what $(basename "$list") does not allow:"
  echo "$outside" | sed 's/^/  /'
  exit 1
fi
echo "$(basename "$program"): all $(echo "$imported" | wc -l) imports are on $(basename "$list")"
