#!/usr/bin/env bash
# Runs a Windows program of a build under Wine, in a prefix private to the build (or
# TOVU_WINEPREFIX): CTest's emulator for the cross-built tests, and the benchmarks'.
#   tools/wine_run.sh PROGRAM.exe ARGS...
set -euo pipefail
program=$1
shift
build=$(dirname "$(readlink -f "$program")")
while [ ! -f "$build/CMakeCache.txt" ] && [ "$build" != / ]; do build=$(dirname "$build"); done
. "$(dirname "$0")/wine.sh"
prefix=${TOVU_WINEPREFIX:-$build/wine-prefix}
make_wine_prefix "$prefix" "$prefix.log"
wine_env "$prefix"
session=
trap '[ -z "$session" ] || { wineserver -k 2>/dev/null || true; stop_x_session; rm -rf "$session"; }' EXIT
if [ -n "${TOVU_WINE_DISPLAY:-}" ]; then
  # A program with windows: a private X server, and the prefix's processes
  # started afresh on it.
  . "$(dirname "$0")/x_session.sh"
  session=$(mktemp -d)
  wineserver -k 2>/dev/null || true
  start_x_session "$session"
fi
wine_run "$program" "$@"
