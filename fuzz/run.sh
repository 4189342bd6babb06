#!/usr/bin/env bash
# Builds the fuzz target and runs a campaign of SECONDS seconds on one job.
# What it finds is written to fuzz/crashes-new/ and the inputs that reached new
# code to fuzz/corpus-grown/ (neither is kept in git). A reproducer, once its
# fault is fixed, goes to fuzz/regressions/ after `fuzz_convert -minimize_crash=1`.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS}

CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCIF2AT_FUZZ=ON -DCIF2AT_TESTS=OFF -DCIF2AT_STATIC=OFF
cmake --build build-fuzz --target fuzz_convert
mkdir -p fuzz/crashes-new fuzz/corpus-grown fuzz/regressions

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# A hang is an input that takes over 10 seconds; 2 GB of memory is an out-of-memory fault.
exec build-fuzz/fuzz/fuzz_convert -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
  -dict=fuzz/cif.dict -artifact_prefix=fuzz/crashes-new/ -print_final_stats=1 \
  fuzz/corpus-grown fuzz/corpus fuzz/regressions
