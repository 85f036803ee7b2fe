#!/usr/bin/env bash
# Builds every libFuzzer target with clang (in build-fuzz/) and runs each for SECONDS (default 30),
# printing one line per target. Exits non-zero when any target crashed, leaked or timed out; the
# input that did it is left in build-fuzz/fuzz-artifacts/TARGET/. Inputs found on the way collect in
# build-fuzz/fuzz-corpus/TARGET/ and are read again by the next run; the seeds and the regression
# inputs of tests/fuzz/corpus/TARGET/ are read but never written.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-30}
build=build-fuzz
targets=(StateChunk Dispatcher Lv2Session PresetFile AutomationFile RenderSetting SnapshotSetting ImageFile)

launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
CC=clang CXX=clang++ cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DORBITONE_FUZZ=ON \
  -DORBITONE_TESTS=OFF -DORBITONE_BENCH=OFF "${launcher[@]}" >/dev/null
mkdir -p "$build/fuzz-logs"
if ! cmake --build "$build" -j"$(nproc)" --target "${targets[@]/#/fuzz_}" >"$build/fuzz-logs/build.log" 2>&1; then
  cat "$build/fuzz-logs/build.log"
  exit 1
fi

failed=0
for target in "${targets[@]}"; do
  corpus="$build/fuzz-corpus/$target"
  artifacts="$build/fuzz-artifacts/$target"
  log="$build/fuzz-logs/$target.log"
  mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
  # Images start from the real artwork, far longer than any other input; host sessions are as long
  # as the limit allows from the start, so that each new instance takes many requests. For the two
  # VST plug-in targets plain scheduling gets through a third more inputs than the entropic one.
  options=(-max_len=4096)
  [ "$target" = ImageFile ] && options=(-max_len=131072)
  [ "$target" = Dispatcher ] && options+=(-len_control=0 -entropic=0)
  [ "$target" = Lv2Session ] && options+=(-len_control=0)
  [ "$target" = StateChunk ] && options+=(-entropic=0)
  status=0
  # Shorter allocation stacks and a smaller quarantine: the targets allocate an instance per input.
  ASAN_OPTIONS=detect_leaks=1:malloc_context_size=8:quarantine_size_mb=64 "$build/bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 "${options[@]}" -print_final_stats=1 -artifact_prefix="$artifacts/" \
    "$corpus" "tests/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n1)
  [ -n "$runs" ] || runs=$(grep -o '^#[0-9]*' "$log" | tail -n1 | tr -d '#' || true)
  # Targets that count what they fed the plug-in say so in a line of their own.
  extra=$(grep -E '^(dispatcher calls|state chunks|lv2 sessions):' "$log" | tail -n1 || true)
  if [ "$status" -eq 0 ]; then
    echo "$target: ${runs:-0} runs, 0 crashes${extra:+ ($extra)}"
  else
    failed=1
    reason=$(grep -m1 -oE 'ERROR: [A-Za-z]+: [a-z-]+|ERROR: libFuzzer: [a-z-]+|fuzz check failed: .*|runtime error: .*' "$log" || echo "exit status $status")
    echo "$target: ${runs:-0} runs, 1 crash: $reason (input in $artifacts, log $log)"
  fi
done
exit "$failed"
