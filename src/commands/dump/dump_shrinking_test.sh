#!/usr/bin/env bash
# dump of a compiled file that another program shortens while dump is still writing it out:
# dump goes on with the bytes it read, never ending on a signal as a mapped file would
# make it.
#   dump_shrinking_test.sh TRACCIATO EXAMPLES
set -uo pipefail
program=$1 examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$program" compile "$examples/Esempio_linea.txt" "$examples/Esempio_100-.txt" --out "$work" \
  --quiet -w || exit 1
geometry=$work/Esempio_linea.dat
"$program" dump --all "$geometry" >"$work/expected" || exit 1

# Megabytes of text into a pipe read only after the file is cut: dump waits on the full
# pipe while the file shrinks under it.
mkfifo "$work/pipe"
"$program" dump --all "$geometry" >"$work/pipe" 2>"$work/err" &
dump=$!
exec 3<"$work/pipe"
head -c 1 <&3 >"$work/first"
truncate -s 0 "$geometry"
cat <&3 >"$work/rest"
exec 3<&-
wait "$dump"
status=$?

failures=0
if [[ $status -eq 0 ]]; then echo "ok: dump ends with status 0"; else
  echo "FAILED: dump ended with status $status: $(cat "$work/err")"
  failures=1
fi
if cat "$work/first" "$work/rest" | cmp -s - "$work/expected"; then
  echo "ok: dump shows the file as it was when it was read"
else
  echo "FAILED: dump's output differs from the file's as it was"
  failures=1
fi
exit "$failures"
