#!/usr/bin/env bash
# Runs every libFuzzer target of a build (-DTOVU_FUZZ=ON) side by side for a
# while, each on a copy of its seed corpus; fails when one finds a crash or a
# broken property. Prints each target's executions.
#   tests/fuzz/run.sh BUILD_DIR [SECONDS]      (20 s each by default)
set -uo pipefail
build=$(cd "$1" && pwd) seconds=${2:-20} here=$(cd "$(dirname "$0")" && pwd) work=$(mktemp -d) status=0
trap 'rm -rf "$work"' EXIT
for fuzz in "$build"/tests/*_fuzz; do
  [ -x "$fuzz" ] || { echo "no fuzz targets in $build/tests" >&2; exit 1; }
  target=$(basename "$fuzz" _fuzz) && mkdir "$work/$target" && cp "$here/corpus/$target"/* "$work/$target/"
  (cd "$work" && "$fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 "$target" >"$target.log" 2>&1) &
done
wait
for log in "$work"/*.log; do
  target=$(basename "$log" .log) runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ -z "$runs" ] || grep -qE '^(==[0-9]+== ERROR|SUMMARY): ' "$log"; then
    echo "FAIL fuzz/$target after ${runs:-?} runs:" && grep -E 'ERROR|SUMMARY|Test unit|Base64' "$log" | head -5
    status=1
  else
    echo "PASS fuzz/$target ($runs runs in $seconds s)"
  fi
done
exit $status
