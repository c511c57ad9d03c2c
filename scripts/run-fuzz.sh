#!/usr/bin/env bash
# Runs every fuzz target of the sanitizer build for the time it was configured with
# (QUANDRELS_FUZZ_SECONDS). Fails when a target crashes or a sanitizer reports.
set -uo pipefail
sanitize_dir=${1:-build-sanitize}
source "$(dirname "$0")/sanitizer-env.sh"
ctest --test-dir "$sanitize_dir" -j "$(nproc)" -L fuzz --no-tests=error --output-on-failure
