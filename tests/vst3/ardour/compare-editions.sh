#!/usr/bin/env bash
# A manual check, not part of the suite (Ardour is no dependency of the project): runs the VST 3
# bundle and the VST 2.4 module of a build side by side in Debian's Ardour 7 (apt-get install ardour),
# compares their bounced outputs sample for sample, then reopens the saved session and compares the
# parameters it restored with those saved. ORBITONE_SMOOTHING sets the Smoothing Time [ms] of both
# (default 0); KEEP=1 keeps the session folder.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-build}" && pwd)
# No dot in the folder names: Ardour does not look for modules below such folders.
work=$(mktemp -d /tmp/orbitone-ardour-XXXXXX)
trap '[ -n "${KEEP:-}" ] || rm -rf "$work"' EXIT
mkdir "$work/vst" "$work/vst3"
# The modules keep their build time: Ardour trusts an index only when it is newer than the module.
cp -p "$build/bin/Orbitone.so" "$work/vst/"
cp -rp "$build/vst3/Orbitone.vst3" "$work/vst3/"
# Ardour 7 only loads modules its scanners have indexed.
LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst-scanner -f -q "$work/vst/Orbitone.so"
LD_LIBRARY_PATH=/usr/lib/ardour7 /usr/lib/ardour7/ardour-vst3-scanner -f -q "$work/vst3/Orbitone.vst3"
export ORBITONE_ARDOUR_SESSION="$work/session" LXVST_PATH="$work/vst" VST3_PATH="$work/vst3"
# The tool may abort while it shuts down; what it printed before and the files it wrote count.
ardour7-lua "$here/compare-editions.lua" 2>&1 | grep -E "outputs|regions|bounced|parameters|rror" |
  tee "$work/first.txt" || true
python3 "$here/../../lv2/ardour/compare-bounces.py" "$work/session" vst3out vstout
ORBITONE_ARDOUR_REOPEN=1 ardour7-lua "$here/compare-editions.lua" 2>&1 | grep -E "parameters|rror" |
  tee "$work/reopened.txt" || true
if diff <(grep parameters "$work/first.txt") <(grep parameters "$work/reopened.txt") >/dev/null; then
  echo "reopened: the same parameters"
else
  echo "reopened: different parameters"
fi
