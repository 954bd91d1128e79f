#!/usr/bin/env bash
# Faults of the machine while the compiled files and the report page are written: each
# must end in a clear message with its exit status, leave the earlier files byte for byte
# as they were and leave no temporary file behind. Links planted at the names written are
# replaced, never followed.
#   output_faults_test.sh TRACCIATO EXAMPLES
set -uo pipefail
program=$1 examples=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
failures=0

check() {  # check DESCRIPTION COMMAND...
  if "${@:2}"; then echo "ok: $1"; else echo "FAILED: $1"; failures=$((failures + 1)); fi
}

# Inputs anyone can read; an earlier build from a different train, so that a file
# replaced by the new build is told apart from an earlier one.
mkdir -m 755 "$work/in"
cp "$examples/Esempio_linea.txt" "$examples/Esempio_100-.txt" "$work/in/"
sed 's/velocita,     900,    80/velocita,     900,    90/' "$examples/Esempio_100-.txt" \
  >"$work/in/earlier-.txt"
chmod 644 "$work/in"/*
compile_line() {  # compile_line OUT [TRAIN]: sets `line` to the command line of a build into OUT
  line=("$program" compile "$work/in/Esempio_linea.txt" "$work/in/${2:-Esempio_100-.txt}"
    --base Esempio --train 100 --out "$1")
}
compile() {  # compile OUT [TRAIN]: a build into OUT
  compile_line "$@"
  "${line[@]}"
}

fresh_out() {  # fresh_out NAME: an output directory holding the earlier build
  local out=$work/$1
  mkdir -m 755 "$out"
  compile "$out" earlier-.txt || echo "FAILED: the earlier build of $1"
  mkdir "$out.earlier" && cp "$out"/Esempio_* "$out.earlier/"
  echo "$out"
}

unchanged() {  # the compiled files of OUT are those of OUT.earlier, byte for byte
  local f
  for f in "$1.earlier"/*; do cmp -s "$f" "$1/${f##*/}" || return 1; done
  local now=("$1"/*) before=("$1.earlier"/*)
  [[ ${#now[@]} -eq ${#before[@]} ]]
}
no_temporaries() { ! compgen -G "$1/.tracciato-*" >/dev/null; }

run_case() {  # run_case NAME EXPECTED_STATUS MESSAGE_PATTERN PREFIX...: one fault
  local name=$1 expected=$2 pattern=$3 out status
  shift 3
  out=$(fresh_out "$name")
  compile_line "$out"
  "$@" "${line[@]}" 2>"$work/$name.err"
  status=$?
  check "$name: exit status $expected (got $status)" test "$status" -eq "$expected"
  [[ -n $pattern ]] && check "$name: says '$pattern'" grep -q "$pattern" "$work/$name.err"
  check "$name: earlier compiled files unchanged" unchanged "$out"
  [[ $expected -ne 137 ]] && check "$name: no temporary file left" no_temporaries "$out"
}

# The output directory is missing.
"$program" compile "$work/in/Esempio_linea.txt" "$work/in/Esempio_100-.txt" \
  --out "$work/absent" 2>"$work/absent.err"
check "missing directory: exit status 3" test $? -eq 3
check "missing directory: named" grep -q "absent: it does not exist" "$work/absent.err"

# A read-only directory, as a user who may not write there.
if setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
  run_case read-only 3 "Permission denied" setpriv --reuid=65534 --regid=65534 --clear-groups
else
  echo "skipped: read-only directory (cannot run as an unprivileged user here)"
fi

# A file size limit reached in the middle of the geometry file (339964 bytes).
run_case size-limit 3 "Esempio_linea.dat: File too large" prlimit --fsize=100000

# A full disk at each of the three writes.
for n in 1 2 3; do
  run_case "full-disk-$n" 3 "No space left on device" \
    strace -f -o /dev/null -e trace=write -e "inject=write:error=ENOSPC:when=$n"
done

# Killed while writing each file; the next run cleans up and builds.
for n in 1 2 3; do
  run_case "killed-$n" 137 "" strace -f -o /dev/null -e trace=write -e "inject=write:signal=KILL:when=$n"
  out=$work/killed-$n
  compile "$out"
  check "killed-$n: the next run builds" test $? -eq 0
  check "killed-$n: the next run leaves no temporary file" no_temporaries "$out"
  check "killed-$n: the next run replaces the earlier files" bash -c "! cmp -s '$out/Esempio_100.dat' '$out.earlier/Esempio_100.dat'"
done

# The report page: a file size limit, and a kill, in the middle of it.
report_case() {  # report_case NAME EXPECTED_STATUS MESSAGE_PATTERN PREFIX...
  local name=$1 expected=$2 pattern=$3 out=$work/$1 status
  shift 3
  mkdir -m 755 "$out"
  "$program" report --out "$out/page.html" --quiet 2>/dev/null
  cp "$out/page.html" "$work/$name.earlier"
  "$@" "$program" report --out "$out/page.html" 2>"$work/$name.err"
  status=$?
  check "$name: exit status $expected (got $status)" test "$status" -eq "$expected"
  [[ -n $pattern ]] && check "$name: says '$pattern'" grep -q "$pattern" "$work/$name.err"
  check "$name: the earlier page unchanged" cmp -s "$out/page.html" "$work/$name.earlier"
  [[ $expected -ne 137 ]] && check "$name: no temporary file left" no_temporaries "$out"
}
report_case report-size-limit 3 "page.html: File too large" prlimit --fsize=100000
report_case report-killed 137 "" strace -f -o /dev/null -e trace=write -e "inject=write:signal=KILL:when=3"

# Export: a fault at any of its five files leaves none of them, so that the next export
# finds nothing it would call an edit.
for n in 1 3 5; do
  out=$work/export-full-disk-$n
  mkdir -m 755 "$out"
  strace -f -o /dev/null -e trace=write -e "inject=write:error=ENOSPC:when=$n" \
    "$program" export --out "$out" 2>"$work/export-$n.err"
  check "export-full-disk-$n: exit status 3" test $? -eq 3
  check "export-full-disk-$n: says why" grep -q "No space left on device" "$work/export-$n.err"
  check "export-full-disk-$n: no file written" test -z "$(ls -A "$out")"
  "$program" export --out "$out" --quiet
  check "export-full-disk-$n: the next export writes them all" test "$(find "$out" -type f | wc -l)" -eq 5
done

# Links planted where the files go and where an earlier version put its temporary files
# (".tracciato-PID-NAME", PID being the next process's id at best guess), leading out of
# the folder: each is replaced or left, and nothing is written outside.
out=$work/planted
mkdir -m 755 "$out" "$work/outside"
echo "not yours" >"$work/outside/victim"
ln -s "$work/outside/victim" "$out/Esempio_100.sim"
ln -s "$work/outside/created" "$out/Esempio_100.dat"
ln -s "$work/outside/page" "$out/page.html"
for pid in $(seq $(($$ + 1)) $(($$ + 40))); do
  for name in Esempio_linea.dat Esempio_100.sim Esempio_100.dat page.html; do
    ln -s "$work/outside/$pid-$name" "$out/.tracciato-$pid-$name"
  done
done
compile "$out"
check "planted links: the compile builds" test $? -eq 0
"$program" report --out "$out/page.html" --quiet
check "planted links: the report is written" test $? -eq 0
check "planted links: nothing written outside" test "$(ls "$work/outside")" = victim
check "planted links: the file led to is unchanged" grep -qx "not yours" "$work/outside/victim"
for name in Esempio_linea.dat Esempio_100.sim Esempio_100.dat page.html; do
  check "planted links: $name is a file of its own" test -f "$out/$name" -a ! -L "$out/$name"
done

echo "$failures failed"
((failures == 0))
