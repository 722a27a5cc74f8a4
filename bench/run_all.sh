#!/usr/bin/env bash
# Every benchmark against one build, and a Windows build under Wine when given
# (./dev.sh bench builds build-bench and build-win32 in Release and calls this).
# Prints numbers only; nothing here passes or fails on time. Extra Google
# Benchmark options go in BENCH_ARGS, e.g.
#   BENCH_ARGS=--benchmark_filter=ViewList bench/run_all.sh build-bench
set -euo pipefail
[ $# -ge 1 ] || { echo "usage: $0 BUILD_DIR [WINDOWS_BUILD_DIR]" >&2; exit 2; }
build=$(cd "$1" && pwd)
windows=${2:+$(cd "$2" && pwd)}
here=$(cd "$(dirname "$0")" && pwd)
for program in core_bench qt_bench bare_window winwatch; do
  [ -x "$build/bench/$program" ] || { echo "$build/bench/$program is missing: build with Google Benchmark and Qt" >&2; exit 1; }
done
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Qt wants a private runtime folder; the X sessions below make their own.
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Five repetitions, their median shown: other work on the machine shows up as spread.
options=(--benchmark_repetitions=5 --benchmark_display_aggregates_only=true ${BENCH_ARGS:-})

echo "== lists, settings and the sticky tick through the fake controls, real files"
"$build/bench/core_bench" "${options[@]}"

echo
echo "== list refill and sticky tick on the Qt back end, offscreen"
QT_QPA_PLATFORM=offscreen "$build/bench/qt_bench" "${options[@]}"

echo
echo "== the same on a real X server (Xvfb, openbox)"
QT_QPA_PLATFORM=xcb X_SCREEN=1280x1024 "$here/../tools/x_run.sh" "$build/bench/qt_bench" "${options[@]}"

if [ -n "$windows" ]; then
  export WINE_PREFIX=$scratch/wine  # made once, used by start_close.sh too
  echo
  echo "== list loading and switching on the Win32 back end, under Wine on a real X server"
  X_SCREEN=1280x1024 TOVU_WINEPREFIX=$WINE_PREFIX TOVU_WINE_DISPLAY=1 "$here/../tools/wine_run.sh" \
    "$windows/bench/win32_bench.exe"
fi

echo
echo "== start to first shown window, close request to process end"
"$here/start_close.sh" "$build" ${windows:+"$windows"}
