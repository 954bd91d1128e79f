#!/usr/bin/env bash
# The man page renders without a warning and names every command and option the
# program's own help names.
#   man_page_test.sh TRACCIATO MAN_PAGE
set -uo pipefail
program=$1 page=$2
failures=0
fail() {
  echo "FAILED: $*"
  failures=$((failures + 1))
}

warnings=$(groff -man -Tutf8 -ww -z "$page" 2>&1)
[[ -z $warnings ]] || fail "groff warns: $warnings"
text=$(MANWIDTH=200 man -P cat -l "$page" 2>&1) || fail "man -l cannot render it"
# Hyphens and words as man shows them, one word per line.
words=$(tr -s ' \t' '\n' <<<"$text" | tr -d '[]|' | sed 's/‐/-/g')

commands=$("$program" --help | sed -n 's/^\(usage:\)\{0,1\} *tracciato \([a-z][a-z]*\).*/\2/p' | sort -u)
for command in $commands; do
  grep -qx "$command" <<<"$words" || fail "the command $command is not in the man page"
  for option in $("$program" help "$command" | sed -n 's/^  \(-[a-z-]*\).*/\1/p'); do
    grep -qx -- "$option" <<<"$words" || fail "$command's option $option is not in the man page"
  done
done
for option in $("$program" --headless --help | sed -n 's/^  \(-[a-z-]*\).*/\1/p'); do
  grep -qx -- "$option" <<<"$words" || fail "the default run's option $option is not in the man page"
done
((failures == 0)) && echo "ok: the man page renders and names every command and option"
exit $((failures > 0))
