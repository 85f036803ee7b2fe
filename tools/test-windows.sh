#!/usr/bin/env bash
# Cross-builds Orbitone.dll for 32-bit and 64-bit Windows with MinGW-w64, builds the Windows test
# programs, and runs them under Wine in a throwaway prefix. The verdict comes from each program's
# own summary line, never from Wine's exit code (wine64 exits 0 for a program it could not run).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
jobs=2

for arch in win32:i686 win64:x86_64; do
  dir=build-${arch%%:*}
  # The README's plain cross build (the toolchain file alone switches off what cannot be cross-built),
  # plus the Windows test programs.
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-${arch##*:}.cmake -DORBITONE_WINDOWS_TESTS=ON \
    -DORBITONE_WERROR=ON >/dev/null
  cmake --build "$dir" -j"$jobs"
done

# Debian keeps wine64 out of PATH.
export PATH="$PATH:/usr/lib/wine"
WINEPREFIX=$(mktemp -d /tmp/orbitone-wine.XXXXXX)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
wine64 wineboot --init >/dev/null 2>&1
# GDI+ under Wine finds no "Arial" without this; Liberation Sans has its metrics.
wine64 reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1
wineserver -w

failures=0
# run <label> <display: none|xvfb> <program> [arguments...]
run() {
  local label=$1 display=$2
  shift 2
  local log
  log=$(mktemp)
  if [ "$display" = xvfb ]; then
    # The wineserver must go down before this display does, or the next window cannot be made.
    xvfb-run -a bash -c 'wine "$@"; wineserver -w' wine "$@" >"$log" 2>&1 || true
  else
    wine "$@" >"$log" 2>&1 || true
  fi
  wineserver -w
  tr -d '\r' <"$log" | grep -E '^(ok|FAIL) - |: [0-9]+ passed, [0-9]+ failed$' | sed "s/^/[$label] /"
  if ! tr -d '\r' <"$log" | grep -qE ': [0-9]+ passed, 0 failed$'; then
    echo "[$label] FAILED: $* (output follows)"
    tr -d '\r' <"$log" | tail -20
    failures=$((failures + 1))
  fi
  rm -f "$log"
}

# Prints one line per DLL import; fails on any that is not a system DLL.
check_imports() {
  local label=$1 objdump=$2 dll=$3
  local imports bad
  imports=$("$objdump" -p "$dll" | sed -n 's/^\s*DLL Name: //p')
  bad=$(echo "$imports" | grep -viE '^(kernel32|user32|gdi32|gdiplus|ole32|oleaut32|shell32|shlwapi|advapi32|msvcrt|comctl32|api-ms-win-crt-.*|ucrtbase)\.dll$' || true)
  echo "[$label] imports: $(echo "$imports" | tr '\n' ' ')"
  if [ -n "$bad" ]; then
    echo "[$label] FAILED: non-system imports: $bad"
    failures=$((failures + 1))
  fi
}

for arch in win32:i686 win64:x86_64; do
  label=${arch%%:*}
  bin=build-$label/bin
  check_imports "$label" "${arch##*:}-w64-mingw32-objdump" "$bin/Orbitone.dll"
  run "$label" none "$bin/BoundaryCheck.exe" "$bin/Orbitone.dll"
  run "$label" none "$bin/ToolkitCheck.exe"
  run "$label" none "$bin/PanelRenderCheck.exe"
  run "$label" none "$bin/DragContainerCheck.exe"
  run "$label" xvfb "$bin/EditorWindowCheck.exe" "$bin/Orbitone.dll" resources/orbitone2_gfx/bg.png
done

if [ "$failures" -ne 0 ]; then
  echo "Windows tests: $failures program(s) failed"
  exit 1
fi
echo "Windows tests: all passed"
