#!/usr/bin/env bash
# Builds the concurrency stress test with ThreadSanitizer (only what it needs, in build-tsan) and runs
# it under Xvfb. Exits non-zero when the test fails or ThreadSanitizer reports anything.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-tsan
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBITONE_TSAN=ON -DORBITONE_TOOLS=OFF \
    -DORBITONE_BENCH=OFF -DORBITONE_TEST_AREAS=stress "${launcher[@]}" >/dev/null
cmake --build "$dir" -j"$(nproc)" --target concurrency_stress_test
log="$dir/tsan.log"
# halt_on_error and exitcode make the first report fail the run; the log is counted as well, in case
# a report comes from a thread the halt does not reach.
status=0
TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$PWD/tests/stress/tsan.supp" \
    xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$dir/bin/concurrency_stress_test" >"$log" 2>&1 ||
    status=$?
reports=$(grep -c '^WARNING: ThreadSanitizer' "$log" || true)
tail -n 5 "$log"
echo "tsan: $reports reports, test exit code $status"
if [[ $status -ne 0 || $reports -ne 0 ]]; then
    cat "$log"
    exit 1
fi
