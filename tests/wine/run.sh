#!/usr/bin/env bash
# Runs a Windows program of the build under Wine: CTest's emulator for the
# cross-built tests. The prefix is private to the build (made on first use,
# about 15 s), in Japanese (code page 932), quiet.
#   tests/wine/run.sh PROGRAM.exe ARGS...
set -euo pipefail
program=$1
shift
build=$(dirname "$(readlink -f "$program")")
while [ ! -f "$build/CMakeCache.txt" ] && [ "$build" != / ]; do build=$(dirname "$build"); done
export WINEPREFIX=${TOVU_WINEPREFIX:-$build/wine-prefix} WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8' && export LC_ALL=ja_JP.UTF-8
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # One maker at a time: CTest runs tests side by side.
  exec 9>"$build/wine-prefix.lock"
  flock 9
  [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >"$build/wine-prefix.log" 2>&1
  flock -u 9
fi
# A pipe from a Wine program stays open while wineserver lives: output goes
# through a file.
out=$(mktemp)
trap 'rm -f "$out"' EXIT
status=0
wine "$program" "$@" >"$out" 2>&1 || status=$?
cat "$out"
exit "$status"
