#!/usr/bin/env bash
# Installs the Debian 12 packages the build, the demo and the tests need. Safe to run again.
set -euo pipefail
packages=(
  cmake g++ make pkg-config git
  # The format gate (tools/check-format.sh).
  clang-format
  libgtest-dev libgmock-dev libbenchmark-dev
  libcairo2-dev libpng-dev libx11-dev libxtst-dev
  xvfb xauth x11-utils fonts-liberation
  libsndfile1-dev
  # Editor tests at a long uptime (the monotonic clock moved on for one test process).
  libfaketime
  # The LV2 edition: headers and vocabularies, lilv for the test host, lv2apply and sord_validate.
  lv2-dev liblilv-dev lilv-utils sordi
  # The VST 3 and CLAP editions: the packaged interface declarations (travesty, CLAP) from the DPF
  # sources, and Qtractor's scanner as a real host's loader.
  dpf-source qtractor
  # The libFuzzer targets (tools/fuzz.sh): clang 14 with libFuzzer and the sanitizer runtimes.
  clang libfuzzer-14-dev libclang-rt-14-dev
  # The Windows DLLs: MinGW-w64 cross compilers, and Wine (64-bit and 32-bit) to test them.
  g++-mingw-w64-i686 g++-mingw-w64-x86-64
  # GoogleTest's sources, built with the cross compilers for the Windows test programs.
  googletest
  wine wine64 wine32:i386
  # Packaging: dpkg-shlibdeps for the .deb's dependencies, help2man for the programs' manual pages,
  # lintian to check the .deb as Debian would.
  dpkg-dev help2man lintian
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO=sudo
  # 32-bit packages (wine32:i386) need the i386 architecture before the package lists are fetched.
  if printf '%s\n' "${missing[@]}" | grep -q ':i386$' &&
    ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
