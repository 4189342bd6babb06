#!/usr/bin/env bash
# Times cif2at on 1, 10 and 100 MB files of each layout of make_cif.py
# against `wc -l` on the same file (one plain pass over its bytes), and
# reports the ratio, the elapsed seconds (best of several runs, file cached)
# and the peak resident memory. Then runs the micro-benchmarks.
#
#   bench/run.sh [SIZES...]        default sizes: 1 10 100
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-bench"
data=${BENCH_DIR:-$(mktemp -d)}
sizes=("${@:-1 10 100}")
runs=21

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCIF2AT_BENCHMARKS=ON >/dev/null
cmake --build "$build" >/dev/null

# Best elapsed seconds of $runs runs of a command in directory $1.
best_seconds() {
  python3 - "$runs" "$@" <<'PY'
import subprocess, sys, time
runs, directory, command = int(sys.argv[1]), sys.argv[2], sys.argv[3:]
best = float("inf")
for _ in range(runs):
    start = time.perf_counter()
    subprocess.run(command, cwd=directory, stdout=subprocess.DEVNULL, check=True)
    best = min(best, time.perf_counter() - start)
print(f"{best:.4f}")
PY
}

peak_kb() {
  local dir=$1
  shift
  (cd "$dir" && /usr/bin/time -f "%M" "$@" 2>&1 >/dev/null | tail -1)
}

printf "%-10s %6s %10s %10s %7s %10s\n" layout MB "cif2at s" "wc -l s" ratio "peak KB"
for size in ${sizes[*]}; do
  for layout in typical textfield loops; do
    dir="$data/$layout-$size"
    mkdir -p "$dir"
    [ -f "$dir/atom.cif" ] || python3 "$root/bench/make_cif.py" "$size" "$layout" >"$dir/atom.cif"
    cat "$dir/atom.cif" >/dev/null  # into the page cache
    program=$(best_seconds "$dir" "$build/cif2at")
    wc=$(best_seconds "$dir" wc -l atom.cif)
    peak=$(peak_kb "$dir" "$build/cif2at")
    ratio=$(awk -v p="$program" -v w="$wc" 'BEGIN { printf "%.2f", p / w }')
    printf "%-10s %6s %10s %10s %7s %10s\n" "$layout" "$size" "$program" "$wc" "$ratio" "$peak"
  done
done

"$build/bench/cif2at_micro" --benchmark_min_time=0.2
[ -n "${BENCH_DIR:-}" ] || rm -rf "$data"
