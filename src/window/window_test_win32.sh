#!/usr/bin/env bash
# The Windows build's default run window under Wine and a virtual X server: run as
#   xvfb-run -a -s "-screen 0 1024x768x24" window_test_win32.sh \
#     WINE TRACCIATO DAMAGED PROBE TESTDATA PREFIX
set -euo pipefail
wine=$1 good=$2 damaged=$3 probe_exe=$4 testdata=$5 prefix=$6
here=$(dirname "$0")
source "$here/window_session.sh"
source "$here/window_session_wine.sh"
work=$(mktemp -d)
trap 'wine_end; rm -rf "$work"' EXIT
wine_session "$wine" "$prefix" "$probe_exe"

has_line() {  # has_line FILE LINE
  grep -qxF "$2" "$1" || { echo "  no line '$2' in:"; sed 's/^/    /' "$1"; false; }
}

# A compile error: the waiting window and, in front of it, the modal box.
out=$work/damaged && mkdir "$out"
start "$wine" "$out" "$damaged" --out "$(windows_path "$out")"
probe show Form1 >"$work/form1.txt" || true
probe show tracciato >"$work/box.txt" || true
check "Form1 is shown with its caption" has_line "$work/form1.txt" "caption Form1"
check "Form1 has a 280 x 179 client area" has_line "$work/form1.txt" "client 280x179"
check "the label Attendere has its place and size" \
  has_line "$work/form1.txt" 'child Static "Attendere" 64,64 177x53'
check "the box is owned by Form1" has_line "$work/box.txt" "owner Form1"
check "the box reads ' Errore n. 6'" grep -q '^child Static " Errore n. 6" ' "$work/box.txt"
check "the box's one button is OK" test "$(grep '^child Button ' "$work/box.txt" | cut -d'"' -f2)" = OK
shoot "$(window_id Form1)" "$work/form1.png"
shoot "$(window_id tracciato)" "$work/box.png"
check "the label reads Attendere in bold" looks_like "$work/form1.png" "$testdata/win32-form1.png"
check "the box looks as it should" looks_like "$work/box.png" "$testdata/win32-error-6.png"
check "the program waits for the box" test ! -f "$out/status"
probe click tracciato OK || true
status=$(wait_status "$out") || true
check "clicking OK ends the program with a non-zero status" test "$status" -ne 0
check "the message also goes to stderr" grep -qx ' Errore n. 6' "$out/stderr"

# A failure outside the compile: a directory stands where a description must go.
out=$work/blocked && mkdir -p "$out/BrenzanoC_OstuviaC_linea.txt/in-the-way"
start "$wine" "$out" "$good" --out "$(windows_path "$out")"
probe show tracciato >"$work/blocked.txt" || true
check "the box names the failure" grep -q 'BrenzanoC_OstuviaC_linea.txt' "$work/blocked.txt"
probe click tracciato OK || true
check "the failure ends the program with status 3" test "$(wait_status "$out")" -eq 3
check "stderr names the description" grep -q 'BrenzanoC_OstuviaC_linea.txt' "$out/stderr"

# Success: the window does not hold the program back, and the compiled files are written.
out=$work/good && mkdir "$out"
start "$wine" "$out" "$good" --out "$(windows_path "$out")"
check "a successful run with the window exits 0" test "$(wait_status "$out")" -eq 0
check "a successful run writes the compiled files" test -f "$out/BrenzanoC_OstuviaC_4417.sim"

echo "$failures failed"
((failures == 0))
