#!/usr/bin/env bash
# Runs a command on the current X display ($DISPLAY) with openbox as its window manager, so
# that full screen and window placement behave as on a desktop: starts openbox, waits (up to
# 30 s) until it manages the screen, runs the command and ends openbox after it. openbox
# manages the screen once the root window names a window (_NET_SUPPORTING_WM_CHECK) that names
# itself back. Used by the benchmark and soak scripts and by the tests' private X screens.
#   scripts/with-desktop.sh [--optional] COMMAND [ARG...]
# Exit status: the command's; 1 when openbox did not come up, unless --optional is given, in
# which case the command runs all the same after a warning. A TERM, INT or HUP ends the
# command and then openbox.
set -uo pipefail

optional=false
if [[ ${1:-} == --optional ]]; then
  optional=true
  shift
fi
if (($# == 0)); then
  echo "usage: $0 [--optional] COMMAND [ARG...]" >&2
  exit 2
fi

manages_screen() {
  local named
  named=$(xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -o '0x[0-9a-f]*') || return 1
  xprop -id "$named" _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "$named"
}

openbox --sm-disable >/dev/null 2>&1 &
wm=$!
command=
trap '[[ -n $command ]] && kill "$command" 2>/dev/null; kill "$wm" 2>/dev/null; wait "$wm" 2>/dev/null' EXIT
trap 'exit 143' TERM INT HUP

for _ in $(seq 300); do
  manages_screen && break
  kill -0 "$wm" 2>/dev/null || break
  sleep 0.1
done
if ! manages_screen; then
  if ! $optional; then
    echo "openbox did not come up on $DISPLAY (is it installed? scripts/install-deps.sh)" >&2
    exit 1
  fi
  echo "openbox did not come up on $DISPLAY: the command runs without a window manager" >&2
fi

# In the background, so that a signal reaches the traps at once; standard input stays the
# script's.
"$@" <&0 &
command=$!
wait "$command"
status=$?
command=
exit $status
