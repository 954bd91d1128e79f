#!/usr/bin/env bash
# The default run's window under a virtual X server: run as
#   xvfb-run -a -s "-screen 0 1024x768x24" window_test.sh TRACCIATO DAMAGED TESTDATA
set -euo pipefail
good=$1 damaged=$2 testdata=$3
here=$(dirname "$0")
source "$here/window_session.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

no_compiled_files() { ! ls "$1"/*.dat "$1"/*.sim >/dev/null 2>&1; }

# A compile error: the waiting window and, in front of it, the modal box.
out=$work/damaged && mkdir "$out"
start "$damaged" "$out" --out "$out"
form=$(window_id Form1)
box=$(window_id tracciato)
check "Form1 is shown with its caption" test -n "$form"
check "Form1 has a 280 x 179 client area" test "$(window_size "$form")" = 280x179
shoot "$form" "$work/form1.png"
shoot "$box" "$work/box.png"
check "the label reads Attendere" looks_like "$work/form1.png" "$testdata/form1.png"
check "the box reads Errore n. 6 with an OK button" looks_like "$work/box.png" "$testdata/error-6.png"
check "the program waits for the box" test ! -f "$out/status"
click_ok "$box" "$out"
status=$(wait_status "$out")
check "closing the box ends the program with a non-zero status" test "$status" -ne 0
check "the message also goes to stderr" grep -qx ' Errore n. 6' "$out/stderr"
check "no compiled file is written" no_compiled_files "$out"

# A failure outside the compile: a directory stands where a description must go.
out=$work/blocked && mkdir -p "$out/BrenzanoC_OstuviaC_linea.txt/in-the-way"
(cd "$work" && start "$good" "$out" --out blocked)
box=$(window_id tracciato)
shoot "$box" "$work/blocked.png"
check "the box names the failure" looks_like "$work/blocked.png" "$testdata/blocked.png"
click_ok "$box" "$out"
status=$(wait_status "$out")
check "the failure ends the program with status 3" test "$status" -eq 3
check "stderr names the description" grep -q 'BrenzanoC_OstuviaC_linea.txt' "$out/stderr"

# Success under X and headless give the same bytes.
for mode in window headless; do
  out=$work/$mode && mkdir "$out"
  args=(--out "$out")
  [[ $mode == headless ]] && args+=(--headless)
  start "$good" "$out" "${args[@]}"
  status=$(wait_status "$out")
  check "a successful $mode run exits 0 (status $status)" test "$status" -eq 0
  rm "$out/status" "$out/stdout" "$out/stderr"
done
check "window and headless runs write the same files" diff -r "$work/window" "$work/headless"

# Headless where there is no desktop (no DISPLAY, or one that cannot be opened) or when
# asked: the same status and the same texts on stderr as with the window.
for display in "" ":4321" "$DISPLAY"; do
  out=$work/display-${display#:} && mkdir "$out"
  args=(--out "$out")
  [[ $display == "$DISPLAY" ]] && args+=(--headless)
  DISPLAY=$display start "$damaged" "$out" "${args[@]}"
  check "DISPLAY='$display' runs headless with status 1" test "$(wait_status "$out")" -eq 1
  # The closing line names the folder written into, which differs from run to run.
  check "DISPLAY='$display' reports as the window run does" \
    cmp <(sed "s#$out#OUT#" "$out/stderr") <(sed "s#$work/damaged#OUT#" "$work/damaged/stderr")
done

echo "$failures failed"
((failures == 0))
