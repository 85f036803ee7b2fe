#!/usr/bin/env bash
# Checks the format, builds everything and runs every test: the normal build, the unit tests again under
# AddressSanitizer and UndefinedBehaviorSanitizer, the concurrency stress test under
# ThreadSanitizer, the fuzz targets for 20 seconds each, then the Windows DLLs under Wine, then the
# release packages made from those builds.
set -euo pipefail
cd "$(dirname "$0")/.."
# Whatever step stops the run says so, even one whose own output was quiet.
trap 'echo "tools/test.sh: FAILED (exit code $?) at line $LINENO: $BASH_COMMAND" >&2' ERR
tools/install-deps.sh
# Every C++ source follows .clang-format.
tools/check-format.sh
jobs=$(nproc)
# -noreset: a server that resets whenever its last client leaves refuses the next test's connection.
xvfb=(xvfb-run -a -s "-screen 0 1280x1024x24 -noreset")
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBITONE_WERROR=ON >/dev/null
cmake --build build -j"$jobs"
(cd build && "${xvfb[@]}" ctest --output-on-failure -j"$jobs")
cmake -S . -B build-asan -DORBITONE_SANITIZE=ON -DORBITONE_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug \
  -DORBITONE_WERROR=ON >/dev/null
cmake --build build-asan -j"$jobs"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 "${xvfb[@]}" ctest --output-on-failure -j"$jobs" -L unit)
# The audio, editor and parameter threads at once, with every data race a failure.
tools/tsan.sh
# Every fuzz target for a short while (the saved inputs replay in the suites above).
tools/fuzz.sh 20
# The Windows DLLs (i686 and x86_64), cross-built and checked under Wine.
tools/test-windows.sh
# The .deb, the Linux archive and the Windows zip from the builds above: inspected, installed,
# loaded and removed again.
tools/test-packages.sh --no-build
