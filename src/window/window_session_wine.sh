#!/usr/bin/env bash
# Helpers for driving the Windows build's window under Wine and an X server, beside those
# of window_session.sh: a Wine prefix of the session's own, and a probe program that
# reads windows and presses buttons through the Win32 API.
set -euo pipefail

# wine_session WINE PREFIX PROBE: runs Windows programs with WINE in PREFIX (created on
# first use) and reads windows with the probe program PROBE.
wine_session() {
  wine=$1 probe_exe=$3
  export WINEPREFIX=$2 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  [[ -f "$WINEPREFIX/system.reg" ]] || "$wine" wineboot -i >/dev/null 2>&1
  # Wine's own fonts stand for those of Windows (MS Sans Serif, Tahoma); a new prefix
  # does not get them by itself.
  local fonts=/usr/share/wine/fonts
  [[ -f $fonts/sserife.fon ]] || { echo "Wine's fonts are missing: scripts/setup windows" >&2; return 1; }
  ln -sf "$fonts"/* "$WINEPREFIX/drive_c/windows/Fonts/"
}

# wine_end: ends every Wine process of the prefix, before its X server goes away.
wine_end() {
  "$(dirname "$wine")/wineserver" -k 2>/dev/null || true
}

# probe show TITLE | probe click TITLE BUTTON: see window_probe_win32.cpp.
probe() {
  "$wine" "$probe_exe" "$@"
}

# windows_path PATH: the absolute PATH as Windows programs under Wine name it.
windows_path() {
  local path=$1
  echo "Z:${path//\//\\}"
}
