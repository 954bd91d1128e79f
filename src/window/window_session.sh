#!/usr/bin/env bash
# Helpers for driving the default run's window under an X server, as a person would:
# find windows by title, read their geometry, take screenshots, click.
set -euo pipefail

# window_id TITLE: waits (10 s at most) for a window whose title is exactly TITLE.
window_id() {
  timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1
}

# window_size ID: "WIDTHxHEIGHT".
window_size() {
  xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: \([0-9]*x[0-9]*\).*/\1/p'
}

# shoot ID FILE: a screenshot of the window's own area.
shoot() {
  import -window "$1" "$2"
}

# click_ok ID OUT: presses the box's OK button (bottom right of the box) until the
# program run with start ... OUT ends; a click before the box is ready is lost.
click_ok() {
  local size width height
  size=$(window_size "$1")
  width=${size%x*}
  height=${size#*x}
  for _ in $(seq 20); do
    xdotool mousemove --window "$1" $((width - 40)) $((height - 25)) click 1 2>/dev/null || true
    sleep 0.25
    [[ -f "$2/status" ]] && return
  done
}

# start PROGRAM OUT ARGS...: runs PROGRAM in the background; its status goes to OUT/status.
start() {
  local program=$1 out=$2
  shift 2
  (set +e; "$program" "$@" >"$out/stdout" 2>"$out/stderr"; echo $? >"$out/status") &
}

# wait_status OUT: waits (60 s at most) for the run to end and prints its status.
wait_status() {
  for _ in $(seq 600); do
    [[ -f "$1/status" ]] && { cat "$1/status"; return; }
    sleep 0.1
  done
  echo "the program did not end" >&2
  return 1
}

# check DESCRIPTION COMMAND...: runs one check of a test, counting failures.
failures=0
check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

# Pixels that differ beyond the tolerance from the reference screenshot.
looks_like() {  # looks_like SHOT REFERENCE
  local differing
  differing=$(compare -metric AE -fuzz 10% "$1" "$2" null: 2>&1 || true)
  [[ "$differing" =~ ^[0-9]+$ ]] && ((differing < 200)) && return 0
  echo "  $1 differs from $2 by $differing pixels"
  return 1
}
