#!/usr/bin/env bash
# The annotated pair of description-format.md, without its notes, checks clean.
#   format_example_test.sh TRACCIATO DESCRIPTION_FORMAT_MD
set -euo pipefail
program=$(realpath "$1") page=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The page's two code blocks, in order; a note starts after four blanks or more.
awk -v dir="$work" '
  /^```/ { inside = !inside; if (inside) n++; next }
  inside { sub(/    +[^ ].*$/, ""); printf "%s\r\n", $0 > (dir "/" (n == 1 ? "Prova_linea.txt" : "Prova_1-.txt")) }
' "$page"
out=$(cd "$work" && "$program" check Prova_linea.txt Prova_1-.txt) || true
if [[ $out != "0 errors, 0 warnings" ]]; then
  echo "FAILED: the annotated pair does not check clean:"
  echo "$out"
  exit 1
fi
echo "ok: the annotated pair checks clean"
