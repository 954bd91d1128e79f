#!/usr/bin/env bash
# The SHA-256 of everything the program writes and prints, for the embedded scenario, the
# generator's 10, 100 and 1,000 km scenarios and every error fixture: compiled files,
# documents, exported descriptions, diagnostics, check text and JSON, dump text and JSON,
# the report page, and each command's exit status. A change that moves code around must
# leave every line as it was.
#   output_digests.sh TRACCIATO GENERATOR WRITE_FIXTURES [STORED]
# Without STORED it prints the digests; with it, it compares them and shows what differs.
set -euo pipefail
program=$(realpath "$1") generator=$(realpath "$2") write_fixtures=$(realpath "$3")
stored=${4:+$(realpath "$4")}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# run NAME ARGS...: the command's status, standard output and error as NAME.status, ...
run() {
  local name=$1
  shift
  "$program" "$@" >"$work/digest/$name.out" 2>"$work/digest/$name.err" && status=0 || status=$?
  echo "$status" >"$work/digest/$name.status"
}

# scenario NAME LINE TRAIN: compile, check, dump and report of one description pair.
scenario() {
  local name=$1 line=$2 train=$3
  mkdir -p "$work/digest/$name"
  run "$name/compile" compile "$line" "$train" --out "$work/digest/$name" --verbose
  run "$name/check" check "$line" "$train"
  run "$name/check-json" check "$line" "$train" --format json
  run "$name/report" report "$line" "$train" --out "$work/digest/$name/report.html"
  for file in "$work/digest/$name"/*.sim "$work/digest/$name"/*.dat; do
    [[ -f $file ]] || continue
    run "$name/dump-${file##*/}" dump "$file"
    run "$name/dump-all-${file##*/}" dump "$file" --all
    run "$name/dump-json-${file##*/}" dump "$file" --json
  done
}

mkdir -p "$work/digest/embedded" "$work/digest/export" "$work/in"
cd "$work/in"
run help --help
run embedded/default --out "$work/digest/embedded" --headless
run export export --out "$work/digest/export"
run embedded/check check
run embedded/check-json check --format json
run embedded/report report --out "$work/digest/embedded/report.html"
for km in 10 100 1000; do
  mkdir -p "$work/in/$km"
  "$generator" $((km * 1000)) "$work/in/$km" >/dev/null
  scenario "generated-$km" "$km/Massimale_linea.txt" "$km/Massimale_9001-.txt"
done
"$write_fixtures" "$work/in/fixtures"
for fixture in "$work"/in/fixtures/*/; do
  name=$(basename "$fixture")
  scenario "error-$name" "fixtures/$name/F_linea.txt" "fixtures/$name/F_1-.txt"
done

# Paths of this run's scratch folder, printed in messages, are not part of the output.
cd "$work/digest"
find . -type f \( -name '*.out' -o -name '*.err' \) -print0 | xargs -0 sed -i "s#$work#WORK#g"
find . -type f | sort | xargs sha256sum >"$work/digests"
if [[ -z $stored ]]; then
  cat "$work/digests"
elif ! diff "$stored" "$work/digests"; then
  echo "outputs differ from $stored (lines above: < stored, > now)"
  exit 1
fi
