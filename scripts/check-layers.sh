#!/usr/bin/env bash
# Checks that the source folders stack as src/layers.txt lists them: a file may include
# headers of its own folder and of the folders below it, never of a folder above it or beside
# it. Prints every offending include as FILE:LINE and fails when there is one.
#
# Build-specific sources under platform/<build>/<folder>/ belong to <folder>; the platform
# headers (platform/<build>/include/platform/) sit below everything and include nothing of
# ours, as do the headers the build writes (generated/, included without a folder, e.g.
# "InstallPaths.h"). A subfolder of a folder belongs to it (game/lava/ is game).
#   scripts/check-layers.sh [SRC_DIR]
set -euo pipefail

src=$(cd "${1:-$(dirname "$0")/../src}" && pwd)
cd "$src"

# Folder -> level, from the rows "folder level library ..." of layers.txt.
declare -A level=()
while read -r folder at _; do
  [[ -z $folder || $folder == \#* ]] && continue
  if [[ ! $at =~ ^[0-9]+$ ]]; then
    echo "layers.txt: the folder '$folder' has no level"
    exit 1
  fi
  level[$folder]=$at
done <"$src/layers.txt"

folder_of() {
  case $1 in
    platform/*/include/platform/*) echo platform ;;
    platform/*/*/*) echo "$1" | cut -d/ -f3 ;;
    */*) echo "${1%%/*}" ;;
    *) echo "$1" ;;
  esac
}

status=0
while IFS= read -r -d '' file; do
  file=${file#./}
  from=$(folder_of "$file")
  if [[ -z ${level[$from]:-} ]]; then
    echo "$file: folder '$from' has no place in the stack (layers.txt)"
    status=1
    continue
  fi
  while IFS=: read -r line header; do
    if [[ $header != */* && ! -e $(dirname "$file")/$header ]]; then
      [[ -e $src/../cmake/${header}.in ]] && continue
      echo "$file:$line: includes \"$header\", which is neither beside it nor a header the build writes"
      status=1
      continue
    fi
    to=${header%%/*}
    [[ $to == "$from" ]] && continue
    if [[ -z ${level[$to]:-} ]]; then
      echo "$file:$line: includes \"$header\" from unknown folder '$to'"
      status=1
    elif (( level[$to] >= level[$from] )); then
      echo "$file:$line: $from includes \"$header\" from $to, which is not below it"
      status=1
    fi
  done < <(grep -n '^[[:space:]]*#[[:space:]]*include[[:space:]]*"' "$file" | sed -E 's/^([0-9]+):.*"([^"]+)".*/\1:\2/')
done < <(find . \( -name '*.h' -o -name '*.cpp' \) -print0 | sort -z)

if (( status == 0 )); then
  echo "Layers: every include points down the stack."
fi
exit $status
