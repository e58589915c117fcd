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

echo "== the engine's bar series and functions"
"$bin/bench_series_engine"

echo "== fast-line series, 1,000,000 samples at 1600x900 (targets: 50 ms whole, 2 ms zoomed to 1 %)"
"$bin/bench_fast_line"

# The launch timeline. Logs of 10,000, 100,000 and 1,000,000 lines, one of
# 100,000 program starts that never end (every run lasts to the last line), and
# the 1,000,000 lines last first, so every bar starts before all earlier ones.
for n in 10000 100000; do
  [ -s "$data/launch-$n.log" ] || "$bin/gen_launch_log" "$data/launch-$n.log" "$n"
done
never=$data/never-ending-100000.log
[ -s "$never" ] || "$bin/gen_launch_log" --never-ending "$never" 100000
descending=$data/descending-1M.log
[ -s "$descending" ] || "$bin/gen_launch_log" --descending "$descending" 1000000
: > "$data/empty.lst"
export TOKIWA_CONFIG_DIR=$data/config

echo "== --render, whole process (targets: 0.05 s, 0.1 s, 0.5 s; under 200 MiB at a million rows;"
echo "   the never-ending log within twice the 100,000-line time, the descending one near the 1M time)"
for f in launch-10000 launch-100000 launch-1M never-ending-100000 descending-1M; do
  /usr/bin/time -f "  $f: wall %e s  cpu %U+%S s  peak RSS %M KiB" \
    "$dir/app/tokiwa" --render "$data/$f.log" -o "$data/$f.png" --hidden-list "$data/empty.lst"
done

echo "== timeline stages (load, build, paint)"
for f in launch-10000 launch-100000 launch-1M never-ending-100000 descending-1M; do
  "$bin/bench_timeline" "$data/$f.log"
done

echo "== the window: selecting the 1,000,000-line log to the first painted chart"
"$bin/bench_window_load" "$log"

# A year of daily logs, as a launcher leaves them in its folder.
year=$data/year
if [ "$(ls "$year" 2>/dev/null | wc -l)" != 365 ]; then
  rm -rf "$year" && mkdir -p "$year"
  "$bin/gen_launch_log" --daily 365 "$year" 1000
fi

echo "== a year of daily logs (365 x 1,000 lines) (targets: the window 1 s, --summary 0.5 s)"
"$bin/bench_window_load" --select-all "$year"
/usr/bin/time -f "  --summary over them: wall %e s  cpu %U+%S s  peak RSS %M KiB" \
  "$dir/app/tokiwa" --summary "$year"/*.log --hidden-list "$data/empty.lst" > /dev/null

# The targets, each a ratio of two measurements taken side by side in one run
# (whole processes, medians of hyperfine), so that a busy machine does not skew them.
echo "== targets (ratios in one run)"
median() {  # median seconds of hyperfine command N (0-based) in CSV FILE
  awk -F, -v n="$2" 'NR == n + 2 { print $4 }' "$1"
}
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
if command -v hyperfine >/dev/null; then
  one=$data/one-line.log
  printf 'vvv,2024/04/15,8:51:37,,\r\n' > "$one"
  render="$dir/app/tokiwa --render"
  opts="--size 1600x900 --hidden-list $data/empty.lst"
  hyperfine -N -w 3 -r 30 --style none --export-csv "$data/fixed.csv" "$dir/app/tokiwa --help" \
    "$render $one -o $data/one-line.png $opts" >/dev/null
  echo "  one-line log --render 1600x900 / --help: $(ratio "$(median "$data/fixed.csv" 1)" \
    "$(median "$data/fixed.csv" 0)") (target <= 2.5)"
  hyperfine -N -w 1 -r 10 --style none --export-csv "$data/never.csv" "$render $never -o $data/n.png $opts" \
    "$render $data/launch-100000.log -o $data/l.png $opts" >/dev/null
  echo "  never-ending 100,000 / 100,000-row log: $(ratio "$(median "$data/never.csv" 0)" \
    "$(median "$data/never.csv" 1)") (target <= 1.3)"
  if command -v gnuplot >/dev/null; then
    # gnuplot draws the bars already paired into start and end by --export.
    bars=$data/launch-1M.csv
    [ -s "$bars" ] || "$dir/app/tokiwa" --export "$log" --hidden-list "$data/empty.lst" > "$bars"
    cat > "$data/bars.gp" <<GP
set terminal png size 1600,900
set output '$data/gnuplot.png'
set datafile separator ','
set xdata time
set timefmt '%Y-%m-%d %H:%M:%S'
plot '$bars' every ::1 using (timecolumn(2)):4:(timecolumn(2)):(timecolumn(3)):(\$4-0.4):(\$4+0.4) with boxxyerror notitle
GP
    hyperfine -N -w 1 -r 5 --style none --export-csv "$data/gnuplot.csv" "$render $log -o $data/m.png $opts" \
      "gnuplot $data/bars.gp" >/dev/null
    echo "  1,000,000-row --render, speed-up over gnuplot: $(ratio "$(median "$data/gnuplot.csv" 1)" \
      "$(median "$data/gnuplot.csv" 0)") (target >= 20)"
  else
    echo "  1,000,000-row --render, speed-up over gnuplot: skipped (no gnuplot)"
  fi
else
  echo "  skipped (no hyperfine)"
fi
/usr/bin/time -f "  1,000,000-row --render at 1600x900: peak RSS %M KiB (target <= 153600)" \
  "$dir/app/tokiwa" --render "$log" -o "$data/m.png" --size 1600x900 --hidden-list "$data/empty.lst"
echo "  thin lines, time a drawn pixel (target <= 3 ns):"
"$bin/bench_canvas" 100000 2>/dev/null | grep -E '^(lines|dotted).*direct' | sed 's/^/  /'
echo "  repaints of the 1,000,000-row log at 1600x900:"
"$bin/bench_timeline" "$log" 1600x900 2>/dev/null | grep -E '^  (repaint|pointer)'

echo "== following a day's log that gains 10 lines a second (target: under 1 % of a core)"
"$bin/bench_follow" "$year/2021-01-01.log" 30
