#!/usr/bin/env bash
# Checks that the source folders stack: a file may include headers of its own folder and of
# the folders below it, never of a folder above it or beside it. Prints every offending
# include as FILE:LINE and fails when there is one.
#
#   game        the application object, the exit screen, the gallery and the teasers
#   app         displays, the fade layer, the application's loop and shutdown
#   scene       transforms, cameras, scenes, renderers, colliders, picking
#   window      the window and its frame loop, input, timers and interpolation
#   resources   the registry of textures, sounds, meshes and materials
#   render | audio   GL objects, meshes, materials | the mixer and WAV sounds
#   storage     files, pack files, typed records
#   math        vectors, colours, matrices, rectangles, rays
#   core        the component tree and events, texts, containers, log, byte buffers
#
# Build-specific sources under platform/<build>/<folder>/ belong to <folder>; the platform
# headers (platform/GL.h, ...) sit below everything and include nothing of ours, as do the
# headers the build writes (generated/, included without a folder, e.g. "InstallPaths.h").
set -euo pipefail

src=$(cd "${1:-$(dirname "$0")/../src}" && pwd)
cd "$src"

declare -A level=(
  [platform]=0 [core]=1 [math]=2 [storage]=3 [render]=4 [audio]=4
  [resources]=5 [window]=6 [scene]=7 [app]=8 [game]=9 [main.cpp]=10
)

folder_of() {
  case $1 in
    platform/*/include/platform/*) echo platform ;;
    platform/*/*/*) echo "$1" | cut -d/ -f3 ;;
    game/*) echo game ;;
    */*) echo "${1%%/*}" ;;
    *) echo "$1" ;;
  esac
}

status=0
while IFS= read -r -d '' file; do
  file=${file#./}
  from=$(folder_of "$file")
  if [[ -z ${level[$from]:-} ]]; then
    echo "$file: folder '$from' has no place in the stack (scripts/check-layers.sh)"
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
