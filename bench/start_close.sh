#!/usr/bin/env bash
# Start to first shown window, and close request to process end, seen from
# outside: the real program against the bare window (the same back end's window
# built from the same design, and nothing else), alternately in one private X
# session with a window manager. A close is a _NET_CLOSE_WINDOW request (the
# window manager sends WM_DELETE_WINDOW); for Tovu it includes writing its
# settings file, the bare window writes nothing. A Windows build runs under Wine.
#   bench/start_close.sh BUILD_DIR [WINDOWS_BUILD_DIR]   (RUNS=15 runs of each)
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [WINDOWS_BUILD_DIR]" >&2; exit 2; }
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
WINWATCH="$build/bench/winwatch"
source "$here/x11_session.sh"
source "$here/../tools/wine.sh"

scratch=$(mktemp -d)
trap '[ -z "${WINE_PREFIX:-}" ] || WINEPREFIX=$WINE_PREFIX wineserver -k 2>/dev/null; stop_x_session; rm -rf "$scratch"' EXIT
start_x_session "$scratch"

report() {  # what target
  local runs=$scratch/$1/runs tovu bare
  print_column "$runs" 2 "start to first viewable window, ms"
  print_column "$runs" 3 "close request to process end, ms"
  print_column "$runs" 4 "CPU time of the whole run (start, 500 ms idle, close), ms"
  print_column "$runs" 5 "resident memory once settled, KB"
  tovu=$(column_median "$runs" tovu 2) bare=$(column_median "$runs" bare 2)
  echo "$1 startup: tovu $tovu ms, bare window $bare ms, ratio $(ratio "$tovu" "$bare") (target <= $2)"
  tovu=$(column_median "$runs" tovu 5) bare=$(column_median "$runs" bare 5)
  echo "$1 memory: tovu $tovu KB, bare window $bare KB, ratio $(ratio "$tovu" "$bare")"
  tovu=$(column_median "$runs" tovu 3) bare=$(column_median "$runs" bare 3)
  echo "$1 close: tovu $tovu ms (settings file replaced every time), bare window $bare ms"
}

mkdir "$scratch/linux"
copy_programs "$build" "$scratch/linux"
measure_both "$scratch/linux/runs"
report linux 1.05
if [ $# -ge 2 ]; then
  WINE_PREFIX=${WINE_PREFIX:-$scratch/wine-prefix}  # run_all.sh's, when it made one
  make_wine_prefix "$WINE_PREFIX"
  mkdir "$scratch/windows"
  copy_programs "$(cd "$2" && pwd)" "$scratch/windows"
  measure_both "$scratch/windows/runs"
  echo
  report windows 1.05
fi
