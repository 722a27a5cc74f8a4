#!/usr/bin/env bash
# Runs a program on an X server of its own with a window manager (Xvfb and openbox, on
# X_SCREEN), as the desktop tests do: for the Qt tests and the benchmarks.
#   tools/x_run.sh PROGRAM ARGS...
set -u
. "$(dirname "$0")/x_session.sh"
folder=$(mktemp -d) && trap 'stop_x_session; rm -rf "$folder"' EXIT
start_x_session "$folder" || exit 1
"$@"
