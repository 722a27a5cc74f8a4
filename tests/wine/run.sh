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
if [ ! -f "$prefix/system.reg" ]; then
  # One maker at a time: CTest runs tests side by side.
  mkdir -p "$(dirname "$prefix")"
  exec 9>"$prefix.lock"
  flock 9
  make_wine_prefix "$prefix" "$prefix.log"
  flock -u 9
fi
wine_env "$prefix"
# A pipe from a Wine program stays open while wineserver lives: output goes
# through a file.
out=$(mktemp) session=
cleanup() {
  rm -f "$out"
  [ -z "$session" ] || { wineserver -k 2>/dev/null || true; stop_x_session; rm -rf "$session"; }
}
trap cleanup EXIT
if [ -n "${TOVU_WINE_DISPLAY:-}" ]; then
  # A window test: a private X server, and the prefix's processes started
  # afresh on it.
  . "$(dirname "$0")/../../tools/x_session.sh"
  session=$(mktemp -d)
  wineserver -k 2>/dev/null || true
  start_x_session "$session"
fi
status=0
(wine_exec "$program" "$@") >"$out" 2>&1 || status=$?
cat "$out"
exit "$status"
