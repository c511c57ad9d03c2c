#!/usr/bin/env bash
# Runs every benchmark program of the build and prints its figures.
set -euo pipefail
build_dir=${1:-build}
shopt -s nullglob
found=0
for bench in "$build_dir"/bench/bench_*; do
  [[ -x "$bench" ]] || continue
  found=1
  echo "== $(basename "$bench") =="
  "$bench" --benchmark_counters_tabular=true
done
[[ $found -eq 1 ]] || echo "No benchmarks built in $build_dir/bench."
