#!/usr/bin/env bash
# Soak of both programs (bench/SoakBench.cpp): 1,000 display switches and 100 full-screen
# toggles each, printing the resident memory figures, then a shorter run of the shader build
# under valgrind, printing its leak summary (definite leaks must be none). Runs under a private
# X server with openbox as its window manager (scripts/with-desktop.sh), so that full screen
# behaves as on a desktop; the games' logs go to build/bench/<name>.log and <name>.valgrind.log.
# Each bench prints, beside the resident size, the allocator's bytes in use and the GL objects
# the game owns, after switch 100 and at the end (bench/SoakBench.cpp says how to read them).
#   scripts/soak.sh [build-dir]      SOAK_SWITCHES, SOAK_TOGGLES, SOAK_VALGRIND_SWITCHES and
#                                    SOAK_VALGRIND_TOGGLES set the counts
set -euo pipefail
build_dir=$(cd "${1:-build}" && pwd)
scripts=$(cd "$(dirname "$0")" && pwd)
export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
export SDL_VIDEODRIVER=x11
export SOAK_SWITCHES=${SOAK_SWITCHES:-1000} SOAK_TOGGLES=${SOAK_TOGGLES:-100}
export SOAK_VALGRIND_SWITCHES=${SOAK_VALGRIND_SWITCHES:-20} SOAK_VALGRIND_TOGGLES=${SOAK_VALGRIND_TOGGLES:-4}
xvfb-run -a -s "-screen 0 1920x1080x24" "$scripts/with-desktop.sh" --optional bash -c '
  set -uo pipefail
  status=0
  for bench in "$1"/bench/bench_soak "$1"/bench/bench_soak_fixed; do
    echo "== $(basename "$bench") =="
    start=$(date +%s)
    "$bench" --switches="$SOAK_SWITCHES" --toggles="$SOAK_TOGGLES" 2>"$bench.log" || { echo "FAILED (see $bench.log)"; status=1; }
    echo "took $(( $(date +%s) - start )) s"
  done
  bench="$1/bench/bench_soak"
  echo "== bench_soak under valgrind: $SOAK_VALGRIND_SWITCHES switches, $SOAK_VALGRIND_TOGGLES toggles =="
  valgrind --leak-check=full --show-leak-kinds=definite --log-file="$bench.valgrind.log" \
    "$bench" --switches="$SOAK_VALGRIND_SWITCHES" --toggles="$SOAK_VALGRIND_TOGGLES" 2>"$bench.log" || status=1
  grep -A6 "LEAK SUMMARY" "$bench.valgrind.log" | sed "s/^==[0-9]*== //" || echo "no leak summary: see $bench.valgrind.log"
  # A definite leak is ours when the allocator was called from our own sources (a frame with
  # a file and line); the libraries below SDL and GL keep a few blocks of their own.
  ours=$(sed "s/^==[0-9]*== //" "$bench.valgrind.log" | awk "
    /definitely lost in loss record/ { record = 1; next }
    record && /^ *at / { next }
    record && /^ *by / { if (\$0 ~ /\\.(cpp|h):[0-9]+\\)/) ours++; record = 0 }
    END { print ours + 0 }")
  echo "definite leaks allocated by our code: $ours"
  [[ "$ours" == 0 ]] || { echo "see $bench.valgrind.log"; status=1; }
  exit $status' _ "$build_dir"
