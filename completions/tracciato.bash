# Bash completion for tracciato. The commands, their options and the error codes come from
# the program's own help, so they never drift from the command table.

_tracciato_commands() {
  "$1" --help 2>/dev/null | sed -n 's/^\(usage:\)\{0,1\} *tracciato \([a-z][a-z]*\).*/\2/p' | sort -u
}

_tracciato() {
  local program=${COMP_WORDS[0]} cur=${COMP_WORDS[COMP_CWORD]} command=${COMP_WORDS[1]:-}
  local words
  if ((COMP_CWORD == 1)); then
    words="$(_tracciato_commands "$program") --help --version --out --headless --force --quiet --color"
  elif [[ $cur == -* ]]; then
    local help
    if [[ $command == -* ]]; then
      help=$("$program" --headless --help 2>/dev/null)
    else
      help=$("$program" help "$command" 2>/dev/null)
    fi
    words="$(sed -n 's/^  \(-[a-z-]*\).*/\1/p' <<<"$help") --help"
  elif [[ $command == help ]] && ((COMP_CWORD == 2)); then
    words="$(_tracciato_commands "$program") codes"
  elif [[ $command == explain ]]; then
    words=$("$program" help codes 2>/dev/null | sed -n 's/^ *\([0-9][0-9]*\)  .*/\1/p')
  else
    compopt -o filenames 2>/dev/null
    mapfile -t COMPREPLY < <(compgen -f -- "$cur")
    return
  fi
  mapfile -t COMPREPLY < <(compgen -W "$words" -- "$cur")
}

complete -F _tracciato tracciato
