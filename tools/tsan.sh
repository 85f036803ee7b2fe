#!/usr/bin/env bash
# Builds the concurrency stress tests with ThreadSanitizer (only what they need, in build-tsan): the
# VST 2.4 module's and the VST 3 edition's, and runs them under Xvfb. Exits non-zero when a test
# fails or ThreadSanitizer reports anything.
set -euo pipefail
cd "$(dirname "$0")/.."
dir=build-tsan
launcher=()
if command -v ccache >/dev/null; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBITONE_TSAN=ON -DORBITONE_TOOLS=OFF \
    -DORBITONE_BENCH=OFF "-DORBITONE_TEST_AREAS=stress;vst3" "${launcher[@]}" >/dev/null
programs=(concurrency_stress_test vst3_stress_test)
cmake --build "$dir" -j"$(nproc)" --target "${programs[@]}"
failed=0
for program in "${programs[@]}"; do
    log="$dir/tsan-$program.log"
    # halt_on_error and exitcode make the first report fail the run; the log is counted as well, in
    # case a report comes from a thread the halt does not reach.
    status=0
    TSAN_OPTIONS="halt_on_error=1 exitcode=66 second_deadlock_stack=1 suppressions=$PWD/tests/stress/tsan.supp" \
        xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$dir/bin/$program" >"$log" 2>&1 || status=$?
    reports=$(grep -c '^WARNING: ThreadSanitizer' "$log" || true)
    tail -n 5 "$log"
    echo "tsan: $program: $reports reports, test exit code $status"
    if [[ $status -ne 0 || $reports -ne 0 ]]; then
        cat "$log"
        failed=1
    fi
done
exit $failed
