#!/usr/bin/env bash
# The completion script completes commands, options, help topics, error codes and row
# keywords.
#   completion_test.sh TRACCIATO
set -uo pipefail
program=$1
source "$(dirname "$0")/tracciato.bash"
failures=0

# expect "WORDS..." "EXPECTED": completes the last word of WORDS as bash would.
expect() {
  local -a words
  read -r -a words <<<"$1"
  [[ $1 == *" " ]] && words+=("")
  COMP_WORDS=("$program" "${words[@]}")
  COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
  COMPREPLY=()
  _tracciato
  local got="${COMPREPLY[*]}"
  if [[ $got == "$2" ]]; then
    echo "ok: '$1' -> $got"
  else
    echo "FAILED: '$1' gave '$got', expected '$2'"
    failures=$((failures + 1))
  fi
}

expect "comp" "compile"
expect "e" "explain export"
expect "check --fo" "--format"
expect "compile a b --no" "--no-geometry"
expect "dump --" "--json --all --from --to --diff --help"
expect "--out x --he" "--headless --help"
expect "--q" "--quiet"
expect "--out x --f" "--force"
expect "export --" "--out --force --quiet --help"
expect "report --q" "--quiet"
expect "help c" "check compile codes"
expect "help r" "report rows"
expect "explain 125" "1250 1251"
expect "explain sta" "stazione"
expect "explain curvas" "curvas1 curvas2 curvas3 curvas4 curvas5 curvas6"
expect "explain pro" "progressiva"
expect "check --format " "text json"
expect "check a b --color a" "auto always"
expect "--color n" "never"
exit $((failures > 0))
