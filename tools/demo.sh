#!/usr/bin/env bash
# Builds what the demo runs, the plug-in module and the renderer (with the snapshot program the
# renderer's --snapshot calls), and runs the demo. tools/test.sh builds everything in the same folder.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)" --target Orbitone orbitone-render
build/bin/orbitone-render  # renders demo-5.1.wav here, prints its peaks and where the module is
