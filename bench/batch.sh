#!/usr/bin/env bash
# Files per second of cif2at-batch on 1 and 2 threads against a shell loop
# that runs cif2at once per file, each file in its own directory as "atom.cif".
#
# Usage: bench/batch.sh [BUILD_DIR] [COUNT] [RUNS]
#   BUILD_DIR  holds cif2at and cif2at-batch (default: build)
#   COUNT      CIFs to generate (default: 10000)
#   RUNS       timed runs of each, the median counts (default: 3)
# The files are generated in a temporary directory (TMPDIR), removed at the end.
set -euo pipefail
cd "$(dirname "$0")/.."

build=$(realpath "${1:-build}")
count=${2:-10000}
runs=${3:-3}
for program in cif2at cif2at-batch; do
  [ -x "$build/$program" ] || { echo "no $build/$program: build first (cmake -S . -B build -G Ninja && cmake --build build)" >&2; exit 2; }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/cif2at-bench-XXXXXX")
trap 'rm -rf "$work"' EXIT

python3 bench/make_small_cifs.py "$work/cifs" "$count"
# The loop's directories, made before any timing: one per file, the file as "atom.cif".
mkdir "$work/loop"
for cif in "$work"/cifs/*.cif; do
  name=$(basename "$cif" .cif)
  mkdir "$work/loop/$name"
  ln "$cif" "$work/loop/$name/atom.cif"
done
# Read into the page cache just before every timed run: this machine pages
# out files left unread for some seconds, which would time the disk instead.
warm() { cat "$work"/cifs/*.cif "$build/cif2at" "$build/cif2at-batch" >/dev/null; }

now() { date +%s.%N; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }

seconds() { awk -v start="$1" -v end="$2" 'BEGIN { printf "%.3f\n", end - start }'; }

# Seconds for one pass of the loop; "fresh" starts without any "at.dat",
# "replace" over the ones the last pass wrote.
time_loop() {
  [ "$1" = replace ] || find "$work/loop" -name at.dat -delete
  sync
  warm
  local start end
  start=$(now)
  (
    for dir in "$work"/loop/*/; do
      cd "$dir" && "$build/cif2at" || { echo "cif2at failed in $dir" >&2; exit 1; }
    done
  )
  end=$(now)
  seconds "$start" "$end"
}

# Seconds for one batch on $1 threads, into an empty output directory when $2
# is "fresh", over the outputs of the last batch when it is "replace".
time_batch() {
  if [ "$2" = fresh ]; then
    rm -rf "$work/out"
    mkdir "$work/out"
  fi
  sync
  warm
  local start end
  start=$(now)
  "$build/cif2at-batch" --jobs "$1" --out "$work/out" "$work/cifs" 2>"$work/batch.err" ||
    { cat "$work/batch.err" >&2; exit 1; }
  end=$(now)
  seconds "$start" "$end"
}

# Medians; the replacing runs each follow a fresh one, so that every one of
# them replaces outputs of the same age.
loop_s=$(for _ in $(seq "$runs"); do time_loop fresh; done | median)
loop_again_s=$(for _ in $(seq "$runs"); do time_loop fresh >/dev/null; time_loop replace; done | median)
one_s=$(for _ in $(seq "$runs"); do time_batch 1 fresh; done | median)
two_s=$(for _ in $(seq "$runs"); do time_batch 2 fresh; done | median)
two_again_s=$(for _ in $(seq "$runs"); do time_batch 2 fresh >/dev/null; time_batch 2 replace; done | median)

# The batch must have written what the loop wrote.
python3 - "$work" <<'PY'
import os, sys
work = sys.argv[1]
names = sorted(n[:-4] for n in os.listdir(os.path.join(work, "cifs")))
for name in names:
    with open(os.path.join(work, "loop", name, "at.dat"), "rb") as a, \
         open(os.path.join(work, "out", name + ".at.dat"), "rb") as b:
        if a.read() != b.read():
            sys.exit(f"{name}: cif2at-batch and cif2at differ")
PY

sizes=$(du -sk "$work/cifs" | cut -f1)
echo "$count files, $((sizes / 1024)) MB, median of $runs runs; $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
awk -v n="$count" -v loop="$loop_s" -v one="$one_s" -v two="$two_s" \
    -v loop_again="$loop_again_s" -v two_again="$two_again_s" 'BEGIN {
  row = "%-46s %8.2f %10.0f %9.1fx\n"
  printf "%-46s %8s %10s %10s\n", "new outputs", "seconds", "files/s", "vs loop"
  printf row, "shell loop, cif2at once per file", loop, n / loop, 1
  printf row, "cif2at-batch --jobs 1", one, n / one, loop / one
  printf row, "cif2at-batch --jobs 2", two, n / two, loop / two
  printf "%-46s\n", "replacing the outputs of an earlier run"
  printf row, "shell loop, cif2at once per file", loop_again, n / loop_again, 1
  printf row, "cif2at-batch --jobs 2", two_again, n / two_again, loop_again / two_again
}'
