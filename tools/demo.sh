#!/usr/bin/env bash
# Builds everything and runs the demo.
set -euo pipefail
cd "$(dirname "$0")/.."
tools/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
build/bin/orbitone-render  # renders demo-5.1.wav here, prints its peaks and where the module is
