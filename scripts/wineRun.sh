#!/usr/bin/env bash
# Runs a Windows program under Wine with the Wine prefix kept in the build folder, headless
# unless DISPLAY is set by the caller:  scripts/wineRun.sh BUILD_DIR PROGRAM.exe [ARGS...]
# The prefix is made once (the slow first start); later runs reuse it.
set -euo pipefail
BUILD_DIR=$(realpath "$1")
shift
export WINEPREFIX=$BUILD_DIR/wineprefix WINEARCH=win64 WINEDEBUG=-all
# No Mono or Gecko prompts; no desktop integration written into the user's home.
export WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe=d"
if [ ! -f "$WINEPREFIX/.quillo-ready" ]; then
  mkdir -p "$WINEPREFIX"
  DISPLAY= wine wineboot --init >/dev/null 2>&1 || true
  wineserver --wait
  touch "$WINEPREFIX/.quillo-ready"
fi
# A server kept for a short while spares each run the slow start of a new one.
wineserver -p15 2>/dev/null || true
exec wine "$@"
