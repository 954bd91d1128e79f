#!/usr/bin/env bash
# Runs tracciato_test.lua in a headless Neovim against PROGRAM, in a fresh folder.
#   editors/neovim/tracciato_test.sh PROGRAM
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
TRACCIATO_EXE=$(realpath "$1") TRACCIATO_TEST_DIR=$dir \
  timeout 300 nvim --headless -u NONE -i NONE -n -c "luafile $here/tracciato_test.lua"
