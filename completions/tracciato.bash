# Bash completion for tracciato. The commands, their options, the error codes and the row
# keywords come from the program's own help, so they never drift from its tables.

_tracciato_commands() {
  "$1" --help 2>/dev/null | sed -n 's/^\(usage:\)\{0,1\} *tracciato \([a-z][a-z]*\).*/\2/p' | sort -u
}

# The help of COMMAND, or of the run without one when COMMAND is an option.
_tracciato_help() {
  if [[ $2 == -* ]]; then
    "$1" --headless --help 2>/dev/null
  else
    "$1" help "$2" 2>/dev/null
  fi
}

# The words OPTION takes, as its line in HELP shows them: "  --color auto|always|never".
_tracciato_choices() {
  sed -n "s/^  $2 \([a-z]*|[a-z|]*\) .*/\1/p" <<<"$1" | tr '|' ' '
}

_tracciato() {
  local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]} command=${COMP_WORDS[1]:-}
  local previous=${COMP_WORDS[COMP_CWORD - 1]} words choices=""
  if [[ $previous == --* ]]; then
    choices=$(_tracciato_choices "$(_tracciato_help "$program" "$command")" "$previous")
  fi
  if [[ -n $choices ]]; then
    words=$choices
  elif ((COMP_CWORD == 1)); then
    words="$(_tracciato_commands "$program") --help --version --out --headless --force --quiet --color"
  elif [[ $cur == -* ]]; then
    words="$(sed -n 's/^  \(-[a-z-]*\).*/\1/p' <<<"$(_tracciato_help "$program" "$command")") --help"
  elif [[ $command == help ]] && ((COMP_CWORD == 2)); then
    words="$(_tracciato_commands "$program") codes rows"
  elif [[ $command == explain ]]; then
    # The codes, and the first word of each row keyword, which names its row.
    words="$("$program" help codes 2>/dev/null | sed -n 's/^ *\([0-9][0-9]*\)  .*/\1/p')
$("$program" help rows 2>/dev/null | sed -n 's/^  \([a-z_0-9]*\).*/\1/p' | sort -u)"
  else
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    return
  fi
  mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
}

complete -F _tracciato tracciato
