#!/usr/bin/env bash
# Fails when a binary needs a shared library or carries a symbol that its side of the plug-in must
# not have (the DSP binary a window system, the UI binary the VST SDK, the engine's tests either).
# lacks.sh BINARY [--library REGEX] [--symbol REGEX]...: libraries as readelf -d names them, symbols
# as nm -C prints them (local ones included).
set -euo pipefail
binary=$1
shift
needed=$(readelf -d "$binary" | awk '/\(NEEDED\)/ { print $NF }')
symbols=$(nm -C "$binary")
# A binary without dependencies or symbols would pass every check below: it is not the one meant.
if [ -z "$needed" ] || [ -z "$symbols" ]; then
  echo "$binary: no dependencies or no symbols to look at"
  exit 1
fi
status=0
while [ $# -gt 0 ]; do
  case $1 in
    --library) found=$(grep -E -- "$2" <<<"$needed" || true) ;;
    --symbol) found=$(grep -E -- "$2" <<<"$symbols" | head -5 || true) ;;
    *) echo "unknown option $1"; exit 2 ;;
  esac
  if [ -n "$found" ]; then
    echo "$binary has what it must not ($1 $2):"
    echo "$found"
    status=1
  fi
  shift 2
done
[ $status -eq 0 ] && echo "$(basename "$binary"): nothing it must not have"
exit $status
