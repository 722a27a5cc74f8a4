#!/usr/bin/env bash
# Close request to process end, seen from outside: the window manager is asked
# to close the window (_NET_CLOSE_WINDOW; it sends WM_DELETE_WINDOW), and the
# time runs until the process has ended. For Tovu that includes writing its
# settings file; the bare window with the same widgets writes nothing.
#   bench/close.sh BUILD_DIR      (RUNS=15 runs of each by default)
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

print_column "$scratch/runs" 3 "close request to process end"
tovu=$(column_median "$scratch/runs" tovu 3)
bare=$(column_median "$scratch/runs" bare 3)
echo "close: tovu $tovu ms (settings file replaced every time), bare window $bare ms"
