#!/usr/bin/env bash
# Start to first shown window, and close request to process end, seen from
# outside: the real program against a bare Qt window with the same widgets,
# alternately in one private X session with a window manager. A close is a
# _NET_CLOSE_WINDOW request (the window manager sends WM_DELETE_WINDOW); for
# Tovu it includes writing its settings file, the bare window writes nothing.
#   bench/start_close.sh BUILD_DIR      (RUNS=15 runs of each by default)
set -euo pipefail
[ $# -eq 1 ] || { echo "usage: $0 BUILD_DIR" >&2; exit 2; }
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
WINWATCH="$build/bench/winwatch"
source "$here/x11_session.sh"

scratch=$(mktemp -d)
trap 'stop_x_session; rm -rf "$scratch"' EXIT
start_x_session "$scratch"
copy_programs "$build" "$scratch"
measure_both "$scratch/runs"

print_column "$scratch/runs" 2 "start to first viewable window"
print_column "$scratch/runs" 3 "close request to process end"
print_column "$scratch/runs" 4 "CPU time of the whole run (start, 500 ms idle, close)"
tovu=$(column_median "$scratch/runs" tovu 2)
bare=$(column_median "$scratch/runs" bare 2)
echo "startup: tovu $tovu ms, bare window $bare ms, ratio $(ratio "$tovu" "$bare") (target <= 1.15)"
tovu=$(column_median "$scratch/runs" tovu 3)
bare=$(column_median "$scratch/runs" bare 3)
echo "close: tovu $tovu ms (settings file replaced every time), bare window $bare ms"
