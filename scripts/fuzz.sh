#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time.
# FUZZ_SECONDS (default 60) sets the time per target. New inputs that raise
# coverage go to build/fuzz-corpus/<name>; a crash is reported, the remaining
# targets still run, and the script fails at the end.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-60}
# Warnings stay warnings here: clang warns where the test builds' gcc does not.
CC=clang-14 CXX=clang++-14 cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DTOKIWA_FUZZ=ON -DTOKIWA_BENCH=OFF -DTOKIWA_WERROR=OFF \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined,float-cast-overflow,float-divide-by-zero -fno-sanitize-recover=all" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined,float-cast-overflow,float-divide-by-zero" >/dev/null
targets=$(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
cmake --build build/fuzz -j"$(nproc)" --target $targets
failed=()
for t in $targets; do
  name=${t#fuzz_}
  work=build/fuzz-corpus/$name
  mkdir -p "$work" build/fuzz-artifacts
  echo "== $t (${seconds}s)"
  ASAN_OPTIONS=detect_leaks=1 build/fuzz/fuzz/$t "$work" "fuzz/corpus/$name" \
    -dict=fuzz/tokiwa.dict -max_total_time="$seconds" -rss_limit_mb=4096 \
    -artifact_prefix=build/fuzz-artifacts/"$name"- -print_final_stats=1 >"build/fuzz-artifacts/$name.log" 2>&1 ||
    failed+=("$name")
  grep -E "stat::number_of_executed_units|ERROR|SUMMARY|crash|Done" "build/fuzz-artifacts/$name.log" || true
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzzing found faults in: ${failed[*]} (logs and inputs in build/fuzz-artifacts)" >&2
  exit 1
fi
