#!/usr/bin/env bash
# Runs each libFuzzer target of a build (-DTOVU_FUZZ=ON) for a while on a copy
# of its seed corpus, two at a time; fails when one finds a crash or a broken
# property. Prints each target's executions.
#   tests/fuzz/run.sh BUILD_DIR [SECONDS]      (20 s each by default)
set -uo pipefail
build=$(cd "$1" && pwd)
seconds=${2:-20}
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
run() {  # target
  local target=$1
  mkdir -p "$work/$target"
  cp "$here/corpus/$target"/* "$work/$target/" 2>/dev/null
  (cd "$work" && "$build/tests/${target}_fuzz" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    "$work/$target" >"$work/$target.log" 2>&1)
}
status=0
pids=()
targets=()
for fuzz in "$build"/tests/*_fuzz; do
  target=$(basename "$fuzz" _fuzz)
  run "$target" &
  pids+=($!)
  targets+=("$target")
  if [ ${#pids[@]} -eq 2 ]; then wait "${pids[0]}"; pids=("${pids[@]:1}"); fi
done
wait
for target in "${targets[@]}"; do
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$work/$target.log")
  if grep -qE '^(==[0-9]+== ERROR|SUMMARY): ' "$work/$target.log"; then
    echo "FAIL fuzz/$target after ${runs:-?} runs:"
    grep -E 'ERROR|SUMMARY|Test unit|Base64' "$work/$target.log" | head -5
    status=1
  else
    echo "PASS fuzz/$target ($runs runs in $seconds s)"
  fi
done
exit $status
