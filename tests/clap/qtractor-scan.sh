#!/usr/bin/env bash
# Qtractor's plug-in scanner (Debian's qtractor) loads the module as the host does and prints what
# it found; the test wants Orbitone with 2 inputs and 6 outputs. Skips (77) without Qtractor.
set -euo pipefail
scanner=/usr/lib/x86_64-linux-gnu/qtractor/qtractor_plugin_scan
[ -x "$scanner" ] || { echo "qtractor is not installed: skipped"; exit 77; }
module=$(realpath "$1")
found=$(echo "CLAP:$module" | "$scanner" 2>&1)
echo "$found"
grep -q "^CLAP|Orbitone|2:6|" <<<"$found"
