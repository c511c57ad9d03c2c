#!/usr/bin/env bash
# The layer check on a small tree stacked by the project's own layers.txt: an include down the
# stack passes; one up the stack, one sideways and one from a folder the list does not know
# each fail with the file and line named.
#   tests/lint/check-layers-test.sh PROJECT_DIR
set -uo pipefail
project=$(cd "${1:-$(dirname "$0")/../..}" && pwd)
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
failures=0

# Makes src/ with the given "file:included header" pairs and runs the check on it.
check() {
  rm -rf "$tree/src"
  mkdir -p "$tree/src"
  cp "$project/src/layers.txt" "$tree/src/"
  for pair in "$@"; do
    local file=${pair%%:*} header=${pair#*:}
    mkdir -p "$tree/src/$(dirname "$file")" "$tree/src/$(dirname "$header")"
    touch "$tree/src/$header"
    printf '#pragma once\n#include "%s"\n' "$header" >>"$tree/src/$file"
  done
  output=$("$project/scripts/check-layers.sh" "$tree/src" 2>&1)
}

expect_pass() {
  if ! check "$@"; then
    echo "FAIL: $* should pass, the check said: $output"
    failures=$((failures + 1))
  fi
}

expect_fail() {
  local message=$1
  shift
  if check "$@"; then
    echo "FAIL: $* should fail"
    failures=$((failures + 1))
  elif [[ $output != *"$message"* ]]; then
    echo "FAIL: $* should say '$message', the check said: $output"
    failures=$((failures + 1))
  fi
}

expect_pass "game/lava/Stone.h:app/Display.h" "app/Display.h:core/List.h" "main.cpp:game/Quandrels.h"
expect_fail 'core/List.h:2: core includes "app/Display.h" from app, which is not below it' \
  "core/List.h:app/Display.h"
expect_fail 'app/Display.h:2: app includes "game/Quandrels.h" from game, which is not below it' \
  "app/Display.h:game/Quandrels.h"
expect_fail 'render/Mesh.h:2: render includes "audio/Sound.h" from audio, which is not below it' \
  "render/Mesh.h:audio/Sound.h"
expect_fail "tools/Thing.h: folder 'tools' has no place in the stack" "tools/Thing.h:core/List.h"

if ((failures > 0)); then
  exit 1
fi
echo "The layer check passes includes down the stack and names each one that is not."
