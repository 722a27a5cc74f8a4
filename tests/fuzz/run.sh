#!/usr/bin/env bash
# Runs every libFuzzer target of a build (-DTOVU_FUZZ=ON) side by side; fails when
# one finds a crash or a broken property. Prints each target's executions.
#   tests/fuzz/run.sh BUILD_DIR            the committed corpus replayed, then a fixed
#                                          number of runs from a fixed seed: the same
#                                          commit always gives the same result
#   tests/fuzz/run.sh BUILD_DIR SECONDS    a search of that long, seeded at random; what it
#                                          finds stays in BUILD_DIR/fuzz/ (see the README)
set -uo pipefail
build=$(cd "$1" && pwd) seconds=${2:-} here=$(cd "$(dirname "$0")" && pwd) work=$(mktemp -d) status=0
trap 'rm -rf "$work"' EXIT
found=$build/fuzz fixed=()
# The same runs need the same addresses too: libFuzzer learns from the values the
# program compares, pointers among them.
[ -n "$seconds" ] || ! setarch "$(uname -m)" -R true 2>/dev/null || fixed=(setarch "$(uname -m)" -R)
[ -n "$seconds" ] || [ ${#fixed[@]} -gt 0 ] || echo "note: address randomisation stays on here, so fuzz runs may differ"
for source in "$here"/*_fuzz.cpp; do  # a build may still hold targets that are gone
  target=$(basename "$source" _fuzz.cpp) fuzz=$build/tests/$(basename "$source" .cpp)
  [ -x "$fuzz" ] || { echo "no fuzz target $fuzz" >&2; exit 1; }
  if [ -n "$seconds" ]; then
    # New inputs go to the first folder, crashes beside it.
    mkdir -p "$found/$target" && options=(-max_total_time="$seconds" -artifact_prefix="$found/$target-")
    folders=("$found/$target" "$here/corpus/$target")
  else
    # About ten seconds on two cores.
    mkdir "$work/$target" && options=(-seed=1 -runs=200000 -reload=0 -artifact_prefix="$work/$target-")
    folders=("$work/$target" "$here/corpus/$target")
  fi
  (${fixed[@]+"${fixed[@]}"} "$fuzz" "${options[@]}" -timeout=10 -print_final_stats=1 "${folders[@]}" >"$work/$target.log" 2>&1) &
done
wait
for log in "$work"/*.log; do
  target=$(basename "$log" .log) runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  if [ -z "$runs" ] || grep -qE '^(==[0-9]+== ERROR|SUMMARY): ' "$log"; then
    echo "FAIL fuzz/$target after ${runs:-?} runs:" && grep -E 'ERROR|SUMMARY|Test unit|Base64' "$log" | head -5
    [ -z "$seconds" ] || cp "$log" "$found/$target.log"
    status=1
  else
    echo "PASS fuzz/$target ($runs runs$([ -z "$seconds" ] || echo " in $seconds s"), $(
      grep -o 'cov: [0-9]*' "$log" | tail -n 1))"
  fi
done
exit $status
