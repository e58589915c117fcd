#!/usr/bin/env bash
# Builds the benchmarks (Release) and runs each one, printing its figures.
#   bench/run.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
dir=${1:-build/bench}
cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTOKIWA_SANITIZE=OFF -DTOKIWA_TESTS=OFF >/dev/null
cmake --build "$dir" --target benchmarks
bin=$dir/bench
data=$dir/bench-data
mkdir -p "$data"

# Inputs are generated once and kept in the build tree.
log=$data/launch-1M.log
[ -s "$log" ] || "$bin/gen_launch_log" "$log" 1000000

echo "== grid loading (1,000,000-line launch log)"
"$bin/bench_load_grid" "$log" 3

echo "== canvas primitives (Qt, offscreen)"
"$bin/bench_canvas"
