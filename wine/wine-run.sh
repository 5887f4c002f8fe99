#!/usr/bin/env bash
# Runs a Windows program under Wine in the build directory's own prefix, quietly and without a display.
#   WINEPREFIX defaults to <this build>/wineprefix (set by CMake); created on first use.
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix directory}"
export WINEPREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
unset DISPLAY WAYLAND_DISPLAY
wine=$(command -v wine || command -v wine64 || echo /usr/lib/wine/wine64)
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$wine" wineboot -i >/dev/null 2>&1 || true
  wineserver -w 2>/dev/null || true
fi
exec "$wine" "$@"
