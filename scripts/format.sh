#!/usr/bin/env bash
# Formats every C++ source of the project with clang-format (.clang-format at the top).
#   scripts/format.sh          rewrite the files in place
#   scripts/format.sh --check  change nothing; list the files that differ and fail if any do
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -d '' files < <(find src tests bench tools \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if [[ ${1:-} == --check ]]; then
  bad=()
  for f in "${files[@]}"; do
    clang-format --dry-run --Werror "$f" >/dev/null 2>&1 || bad+=("$f")
  done
  if (( ${#bad[@]} > 0 )); then
    printf '%s\n' "${bad[@]/%/: not formatted}"
    echo "${#bad[@]} file(s) differ from .clang-format: run 'make format'."
    exit 1
  fi
  echo "Formatting: all ${#files[@]} files follow .clang-format."
else
  clang-format -i "${files[@]}"
fi
