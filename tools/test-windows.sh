#!/usr/bin/env bash
# Cross-builds Orbitone.dll and the VST 3 module for 32-bit and 64-bit Windows with MinGW-w64,
# builds the Windows test programs, checks the DLLs' files (machine type, exports, imports; the VST
# records' layout is
# asserted at compile time in each build) and runs the test programs under Wine in a throwaway
# prefix. Where this machine cannot start 32-bit x86 programs, the i686 programs are built and the
# i686 DLL checked statically, and one line says that they were not run and why.
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

# The VST 3 bundle's module of one build.
vst3_module() {
  local folder=x86_64-win
  [ "$1" = win32 ] && folder=x86-win
  echo "build-$1/vst3/Orbitone.vst3/Contents/$folder/Orbitone.vst3"
}

# Debian keeps wine64 out of PATH.
export PATH="$PATH:/usr/lib/wine"
source tools/windows/wine-checks.sh

for arch in win32:i686:pei-i386 win64:x86_64:pei-x86-64; do
  IFS=: read -r label triple format <<<"$arch"
  dll=build-$label/bin/Orbitone.dll
  check_pe "$label" "$triple-w64-mingw32-objdump" "$dll" "$format" VSTPluginMain main MAIN
  check_imports "$label" "$triple-w64-mingw32-objdump" "$dll"
  vst3=$(vst3_module "$label")
  check_pe "$label" "$triple-w64-mingw32-objdump" "$vst3" "$format" GetPluginFactory InitDll ExitDll
  check_imports "$label" "$triple-w64-mingw32-objdump" "$vst3"
  clap=build-$label/clap/Orbitone.clap
  check_pe "$label" "$triple-w64-mingw32-objdump" "$clap" "$format" clap_entry
  check_imports "$label" "$triple-w64-mingw32-objdump" "$clap"
done

WINEPREFIX=$(mktemp -d /tmp/orbitone-wine.XXXXXX)
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
trap 'wineserver -k >/dev/null 2>&1 || true; rm -rf "$WINEPREFIX"' EXIT
"$WINE64" wineboot --init >/dev/null 2>&1 || echo "wineboot --init answered $? (the programs below tell whether Wine works)"
# GDI+ under Wine finds no "Arial" without this; Liberation Sans has its metrics.
"$WINE64" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v Arial /t REG_SZ /d 'Liberation Sans' /f >/dev/null 2>&1 || true
wineserver -w || true

runs="win64:64"
if wine32_runnable; then
  runs="win32:32 $runs"
else
  echo "[win32] not run: this machine cannot start 32-bit x86 programs ($ORBITONE_WINE32_PROBE: $wine32_reason); the i686 DLL and its test programs were built and checked statically only"
fi
for run in $runs; do
  IFS=: read -r label bits <<<"$run"
  bin=build-$label/bin
  run_program "$label" "$bits" none "$bin/BoundaryCheck.exe" "$bin/Orbitone.dll"
  run_program "$label" "$bits" none "$bin/ToolkitCheck.exe"
  run_program "$label" "$bits" none "$bin/PanelRenderCheck.exe"
  run_program "$label" "$bits" none "$bin/DragContainerCheck.exe"
  run_program "$label" "$bits" xvfb "$bin/EditorWindowCheck.exe" "$bin/Orbitone.dll" resources/orbitone2_gfx/bg.png
  run_program "$label" "$bits" xvfb "$bin/Vst3Check.exe" "$(vst3_module "$label")" "$bin/Orbitone.dll"
  run_program "$label" "$bits" none "$bin/ClapModuleCheck.exe" "build-$label/clap/Orbitone.clap" "$bin/Orbitone.dll"
done

if [ "$failures" -ne 0 ]; then
  echo "Windows tests: $failures check(s) failed"
  exit 1
fi
echo "Windows tests: all passed"
