#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: CTest's emulator for the
# cross-built tests, with a prefix private to the build.
#   tests/wine/run.sh PROGRAM.exe ARGS...
set -euo pipefail
program=$1
shift
build=$(dirname "$(readlink -f "$program")")
while [ ! -f "$build/CMakeCache.txt" ] && [ "$build" != / ]; do build=$(dirname "$build"); done
. "$(dirname "$0")/../../tools/wine.sh"
prefix=${TOVU_WINEPREFIX:-$build/wine-prefix}
make_wine_prefix "$prefix" "$prefix.log"
wine_env "$prefix"
session=
trap '[ -z "$session" ] || { wineserver -k 2>/dev/null || true; stop_x_session; rm -rf "$session"; }' EXIT
if [ -n "${TOVU_WINE_DISPLAY:-}" ]; then
  # A window test: a private X server, and the prefix's processes started
  # afresh on it.
  . "$(dirname "$0")/../../tools/x_session.sh"
  session=$(mktemp -d)
  wineserver -k 2>/dev/null || true
  start_x_session "$session"
fi
wine_run "$program" "$@"
