#!/usr/bin/env bash
# Formats every C++ source of the project with clang-format (.clang-format at the top).
#   scripts/format.sh          rewrite the files in place
#   scripts/format.sh --check  change nothing; list the files that differ and fail if any do
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -d '' files < <(find src tests bench tools \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if [[ ${1:-} == --check ]]; then
  # One clang-format for many files: starting it per file costs far more than the check. Each
  # file that differs is named in its "code should be clang-formatted" warnings.
  status=0
  warnings=$(printf '%s\0' "${files[@]}" | xargs -0 -n 64 clang-format --dry-run --Werror 2>&1 >/dev/null) ||
    status=$?
  mapfile -t bad < <(grep 'code should be clang-formatted' <<<"$warnings" | cut -d: -f1 | sort -u)
  if (( status != 0 && ${#bad[@]} == 0 )); then
    echo "clang-format failed: $warnings"
    exit 1
  fi
  if (( ${#bad[@]} > 0 )); then
    printf '%s\n' "${bad[@]/%/: not formatted}"
    echo "${#bad[@]} file(s) differ from .clang-format: run 'make format'."
    exit 1
  fi
  echo "Formatting: all ${#files[@]} files follow .clang-format."
else
  clang-format -i "${files[@]}"
fi
