# Checks of the cross-built Windows programs, sourced by tools/test-windows.sh (and its own test).
# Every check that fails prints a "FAILED" line with what it saw and counts into $failures; none
# stops the script, so one bad program never hides the others' results.

failures=${failures:-0}
# Debian's `wine` starts every program through its 32-bit loader, so 64-bit programs go to wine64.
WINE64=${WINE64:-wine64}
WINE32=${WINE32:-wine}
# What this machine proves it can run 32-bit x86 programs with: the 32-bit Wine loader itself.
ORBITONE_WINE32_PROBE=${ORBITONE_WINE32_PROBE:-/usr/lib/wine/wine}
wine32_reason=""

# Answers 0 when 32-bit programs start here; sets $wine32_reason to what the probe printed otherwise.
wine32_runnable() {
  local out rc=0
  out=$("$ORBITONE_WINE32_PROBE" --version 2>&1) || rc=$?
  if [ "$rc" -eq 0 ] && [[ "$out" == wine-* ]]; then
    return 0
  fi
  wine32_reason="exit code $rc: $(echo "${out:-no output}" | head -1)"
  return 1
}

# The Wine that starts a program of this many bits.
wine_for() { if [ "$1" = 32 ]; then echo "$WINE32"; else echo "$WINE64"; fi; }

# run_program <label> <bits: 32|64> <display: none|xvfb> <program> [arguments...]
# The verdict comes from the program's own summary line, never from Wine's exit code (wine64 exits 0
# for a program it could not run).
run_program() {
  local label=$1 bits=$2 display=$3
  shift 3
  local wine log
  wine=$(wine_for "$bits")
  log=$(mktemp)
  if [ "$display" = xvfb ]; then
    # The wineserver must go down before this display does, or the next window cannot be made.
    xvfb-run -a bash -c '"$0" "$@"; wineserver -w' "$wine" "$@" >"$log" 2>&1 || true
  else
    "$wine" "$@" >"$log" 2>&1 || true
  fi
  wineserver -w >/dev/null 2>&1 || true
  tr -d '\r' <"$log" | grep -E '^(ok|FAIL) - |: [0-9]+ passed, [0-9]+ failed$' | sed "s/^/[$label] /" || true
  if ! tr -d '\r' <"$log" | grep -qE ': [0-9]+ passed, 0 failed$'; then
    echo "[$label] FAILED: $wine $* (no summary line; its output follows)"
    if [ -s "$log" ]; then tr -d '\r' <"$log" | tail -20; else echo "(no output at all)"; fi
    failures=$((failures + 1))
  fi
  rm -f "$log"
}

# Prints one line per DLL import; fails on any that is not a system DLL.
check_imports() {
  local label=$1 objdump=$2 dll=$3
  local imports bad
  imports=$("$objdump" -p "$dll" | sed -n 's/^\s*DLL Name: //p' || true)
  bad=$(echo "$imports" | grep -viE '^(kernel32|user32|gdi32|gdiplus|ole32|oleaut32|shell32|shlwapi|advapi32|msvcrt|comctl32|api-ms-win-crt-.*|ucrtbase)\.dll$' || true)
  echo "[$label] imports: $(echo "$imports" | tr '\n' ' ')"
  if [ -z "$imports" ] || [ -n "$bad" ]; then
    echo "[$label] FAILED: non-system or no imports: ${bad:-none listed}"
    failures=$((failures + 1))
  fi
}

# check_pe <label> <objdump> <dll> <expected format, e.g. pei-i386> <exported name>...
# The machine type and the entry points a host looks up, read from the file without running it.
check_pe() {
  local label=$1 objdump=$2 dll=$3 format=$4
  shift 4
  local header exports name
  header=$("$objdump" -f "$dll" 2>&1 || true)
  if ! grep -q "file format $format\$" <<<"$header"; then
    echo "[$label] FAILED: $dll is not $format: $(echo "$header" | grep 'file format' || echo "$header" | head -1)"
    failures=$((failures + 1))
  else
    echo "[$label] machine: $format"
  fi
  exports=$("$objdump" -p "$dll" 2>/dev/null | sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' || true)
  for name in "$@"; do
    if ! grep -qE "\] $name\$" <<<"$exports"; then
      echo "[$label] FAILED: $dll does not export $name"
      failures=$((failures + 1))
    fi
  done
  echo "[$label] exports checked: $*"
}
