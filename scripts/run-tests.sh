#!/usr/bin/env bash
# Runs the whole test suite: the normal build under a private X server (Xvfb, so the GL
# tests and both programs get a real OpenGL context from Mesa), then the unit tests and
# fuzz targets of the sanitizer build. Fails when anything fails or any sanitizer reports.
set -uo pipefail

build_dir=${1:-build}
sanitize_dir=${2:-build-sanitize}
jobs=$(nproc)
status=0

export SDL_AUDIODRIVER=${SDL_AUDIODRIVER:-dummy}
source "$(dirname "$0")/sanitizer-env.sh"

echo "== Tests of the normal build (under Xvfb) =="
# -noreset: an X server resets when its last client leaves, and a test that connects during
# that reset is refused ("Couldn't open X11 display"); tests open and close many windows.
"$(dirname "$0")/timed.sh" "Tests of the normal build" xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" \
  ctest --test-dir "$build_dir" -j "$jobs" --no-tests=error --output-on-failure || status=1

if [[ -d "$sanitize_dir" ]]; then
  echo "== Unit tests and fuzz targets under AddressSanitizer and UndefinedBehaviorSanitizer =="
  "$(dirname "$0")/timed.sh" "Tests of the sanitizer build" \
    ctest --test-dir "$sanitize_dir" -j "$jobs" -L 'unit|fuzz' --no-tests=error --output-on-failure || status=1
fi

if [[ $status -ne 0 ]]; then
  echo "FAILED: see the output above." >&2
fi
exit $status
