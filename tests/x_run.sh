#!/usr/bin/env bash
# Runs a program on an X server of its own with a window manager (Xvfb and openbox), as
# the desktop tests do:  tests/x_run.sh PROGRAM ARGS...
set -u
. "$(dirname "$0")/../tools/x_session.sh"
folder=$(mktemp -d) && trap 'stop_x_session; rm -rf "$folder"' EXIT
start_x_session "$folder" || exit 1
"$@"
