#!/usr/bin/env bash
# Runs a cross-built Windows program under wine in a private prefix, silenced
# and without a display:   wine-run.sh PREFIX program.exe [arguments...]
# With --fresh in place of the program it makes PREFIX anew and waits until
# wine has finished setting it up: several wine processes that start at once
# on a prefix that does not exist yet fail.
set -euo pipefail

prefix=$1
shift
export WINEPREFIX=$prefix
export WINEDEBUG=-all
# No dialogs offering to install .NET or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY

wine=$(command -v wine || command -v wine64)

if [ "${1:-}" = "--fresh" ]; then
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  "$wine" wineboot -i
  wineserver -w
  exit 0
fi

exec "$wine" "$@"
