#!/usr/bin/env bash
# The Windows checks must never fail silently: a program that prints nothing is a FAILED line, a
# machine without 32-bit support is told apart from one with it.
set -uo pipefail
checks=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
bad=0
expect() { # expect <description> <pattern> <text>
  if ! grep -qE -- "$2" <<<"$3"; then
    echo "FAIL: $1: no line matching '$2' in:"
    echo "$3"
    bad=$((bad + 1))
  fi
}
printf '#!/bin/sh\n' >"$work/silent"
printf '#!/bin/sh\nprintf "ok - one\\r\\nCheck: 1 passed, 0 failed\\r\\n"\n' >"$work/passing"
printf '#!/bin/sh\necho "wine-8.0 (test)"\n' >"$work/loader"
chmod +x "$work"/*

# Under the test script's own shell options, where a failing grep once ended everything unannounced.
out=$(bash -euo pipefail -c 'source "$1"; WINE64=$2; run_program win64 64 none Silent.exe; echo "counted $failures"' \
  _ "$checks" "$work/silent" 2>&1)
expect "a silent program" '^\[win64\] FAILED: .*Silent\.exe' "$out"
expect "a silent program" '^\(no output at all\)$' "$out"
expect "a silent program" '^counted 1$' "$out"

source "$checks"
failures=0
WINE32=$work/passing
run_program win32 32 none Passing.exe >"$work/out" 2>&1
out=$(cat "$work/out")
expect "a passing program" '^\[win32\] Check: 1 passed, 0 failed$' "$out"
[ "$failures" -eq 0 ] || { echo "FAIL: a passing program counted as failed: $out"; bad=$((bad + 1)); }

ORBITONE_WINE32_PROBE=/bin/false
if wine32_runnable; then
  echo "FAIL: a failing probe reported 32-bit programs runnable"
  bad=$((bad + 1))
fi
ORBITONE_WINE32_PROBE=$work/loader
wine32_runnable || { echo "FAIL: a working loader reported as not runnable ($wine32_reason)"; bad=$((bad + 1)); }

[ "$bad" -eq 0 ] && echo "windows checks: all behave"
exit "$bad"
