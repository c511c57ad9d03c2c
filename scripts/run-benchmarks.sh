#!/usr/bin/env bash
# Runs every benchmark program of the build and prints its figures. They run under a private
# X server (the drawing benchmarks need an OpenGL context; no window appears on the desktop)
# with openbox as its window manager (scripts/with-desktop.sh), so that full screen behaves as
# on a desktop; what a benchmark logs goes to build/bench/<name>.log, so only the figures are
# printed.
# QUANDRELS_BENCH_SECONDS sets how long bench_frames* measure each display (default 10).
set -euo pipefail
build_dir=${1:-build}
scripts=$(cd "$(dirname "$0")" && pwd)
shopt -s nullglob
benches=()
for bench in "$build_dir"/bench/bench_*; do
  # The soak has its own run (scripts/soak.sh, make soak).
  [[ "$bench" == */bench_soak* ]] && continue
  [[ -x "$bench" && ! -d "$bench" && "$bench" != *.log ]] && benches+=("$bench")
done
if [[ ${#benches[@]} -eq 0 ]]; then
  echo "No benchmarks built in $build_dir/bench."
  exit 0
fi
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export SDL_VIDEODRIVER=x11
xvfb-run -a -s "-screen 0 1920x1080x24" "$scripts/with-desktop.sh" --optional bash -c '
  for bench in "$@"; do
    echo "== $(basename "$bench") =="
    "$bench" --benchmark_counters_tabular=true 2>"$bench.log"
  done' _ "${benches[@]}"
