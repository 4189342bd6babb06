#!/usr/bin/env bash
# Writes the seed corpus fuzz/corpus/ from the fixtures of tests/data: each
# fixture alone, and the example structure with a few control files. An input
# is "atom.cif", then the mark line and "zelkor.dat" (see fuzz_convert.cpp).
# Text fields are cut to 20 lines: long seeds only slow the fuzzer down.
set -euo pipefail
cd "$(dirname "$0")/.."
corpus=fuzz/corpus
rm -rf "$corpus" && mkdir -p "$corpus"
mark=$'\n--zelkor.dat--\n'

shorten() {
  awk '/^;/ { inside = !inside; kept = 0; print; next }
       !inside || kept++ < 20 { print }' "$1"
}

for cif in tests/data/*.cif; do
  shorten "$cif" >"$corpus/$(basename "$cif" .cif)"
done

# A loop of reflections before the atom sites, whose value lines are passed over unread.
{
  printf 'data_refl\nloop_\n_refln_index_h\n_refln_index_k\n_refln_index_l\n_refln_F_squared_meas\n'
  for h in 0 1 2 3 4 5 6 7; do printf '%4d%4d%4d %9.2f # x\n' "$h" $((h % 3)) $((h % 2)) "$h.5"; done
  sed 1d tests/data/zns_example.cif
} >"$corpus/reflections_before_atoms"

control() {  # NAME TEXT: the example structure with TEXT as "zelkor.dat"
  { shorten tests/data/zns_example.cif; printf '%s%s' "$mark" "$2"; } >"$corpus/zns_example.$1"
}
control copies-and-shift $'    1 1.00 1.00 1.00\n    1 0.00 0.00 0.50\n'
control copies-only $'    7 0.50 0.50 0.50\n'
control implied-decimals $'    0\n    1  100  100  -25\n'
control exponents-crlf $'    41.5+21.0e1-.5d0\r\n    1 0.50 0.50 0.50\r\n'
control bad-mode $'    9 1.00 1.00 1.00\n'
control bad-field $'1 1.0 1.0 1.0\n'
