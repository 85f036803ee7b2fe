#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the demo and the tests need. Safe to run again.
set -euo pipefail
packages=(
  cmake g++ make pkg-config git
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libx11-dev libxtst-dev
  xvfb xauth x11-utils fonts-liberation
  libsndfile1-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
