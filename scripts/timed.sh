#!/usr/bin/env bash
# Runs a stage of the build or the tests and says how long it took:
#   scripts/timed.sh "Normal build" cmake --build build
set -uo pipefail
name=$1
shift
start=$(date +%s)
"$@"
status=$?
echo "== $name: $(($(date +%s) - start)) s =="
exit $status
