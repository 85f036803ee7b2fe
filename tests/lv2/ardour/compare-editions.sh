#!/usr/bin/env bash
# A manual check, not part of the suite (Ardour is no dependency of the project): runs the LV2 bundle
# and the VST module of a build side by side in Debian's Ardour 7 (apt-get install ardour) and compares
# their bounced outputs. ORBITONE_SMOOTHING sets the Smoothing Time [ms] of both (default 0); KEEP=1
# keeps the session folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
# No dot in the folder name: Ardour does not look for VST modules below such folders.
work=$(mktemp -d /tmp/orbitone-ardour-XXXXXX)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
mkdir "$work/vst"
# The module keeps its build time: Ardour trusts an index only when it is newer than the module.
cp -p "$build/bin/Orbitone.so" "$work/vst/"
# Ardour 7 only loads VST modules its scanner has indexed.
LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst-scanner -f -q "$work/vst/Orbitone.so"
ORBITONE_ARDOUR_SESSION="$work/session" LXVST_PATH="$work/vst" LV2_PATH="$build/lv2" \
  ardour7-lua "$here/compare-editions.lua" 2>&1 | grep -E "outputs|regions|bounced|rror" || true
python3 "$here/compare-bounces.py" "$work/session"
