#!/usr/bin/env bash
# The close request to process end of two builds of Tovu, alternately, in one private X
# session without a clipboard manager: after the window showed, and after a code was copied
# first (Down, Alt+C), where a build with the clipboard keeper starts it as it ends. Every
# close writes the settings file. A build that has the keeper must leave the code on the
# clipboard.   bench/close_copied.sh BUILD_DIR OTHER_BUILD_DIR   (RUNS=21 of each)
set -euo pipefail
[ $# -eq 2 ] || { echo "usage: $0 BUILD_DIR OTHER_BUILD_DIR" >&2; exit 2; }
here=$(cd "$(dirname "$0")" && pwd) builds=("$(cd "$1" && pwd)" "$(cd "$2" && pwd)")
WINWATCH=${builds[0]}/bench/winwatch
source "$here/x11_session.sh"
scratch=$(mktemp -d)
trap 'stop_x_session; rm -rf "$scratch"' EXIT
start_x_session "$scratch"
for i in 0 1; do
  mkdir "$scratch/$i" && cp "${builds[$i]}/tovu" "${builds[$i]}"/list[1-4].nl2 "$scratch/$i/"
  [ ! -e "${builds[$i]}/tovu-clipboard" ] || cp "${builds[$i]}/tovu-clipboard" "$scratch/$i/"
  QT_QPA_PLATFORM=xcb "$WINWATCH" Tovu 500 -- "$scratch/$i/tovu" >/dev/null
done
sed 's/^Top=.*/Top=1/' "$scratch/0/tovu.ini" >"$scratch/stale.ini"

copy_when_shown() {
  local w
  w=$(xdotool search --sync --onlyvisible --name '^Tovu$' | head -n 1) && xdotool windowactivate --sync "$w" &&
    sleep 0.2 && xdotool key Down alt+c
}
run() {  # build copy: appends "build copy SHOWN CLOSE CPU RSS" to the runs
  local keys= figures
  cp "$scratch/stale.ini" "$scratch/$1/tovu.ini"
  [ "$2" = 0 ] || { copy_when_shown & keys=$!; }
  figures=$(QT_QPA_PLATFORM=xcb "$WINWATCH" Tovu 1500 -- "$scratch/$1/tovu")
  [ -z "$keys" ] || wait "$keys"
  if [ "$2" = 1 ] && [ -e "$scratch/$1/tovu-clipboard" ]; then
    sleep 0.2 && [ "$(xclip -o -selection clipboard 2>/dev/null)" = '&Alpha;' ] || echo "${builds[$1]}: the code was lost" >&2
  fi
  echo "$1 $2 $figures" >>"$scratch/runs"
  printf x | xclip -i -selection clipboard 2>/dev/null  # another owner: a keeper ends
}
for ((r = 0; r < ${RUNS:-21}; r++)); do
  for copy in 0 1; do run $((r % 2)) $copy && run $((1 - r % 2)) $copy; done
done
for i in 0 1; do
  for copy in 0 1; do
    printf '%s, %s: close request to process end, median %s ms\n' "${builds[$i]}" \
      "$([ $copy = 1 ] && echo 'a code copied first' || echo 'nothing copied')" \
      "$(awk -v b=$i -v c=$copy '$1 == b && $2 == c { print $4 }' "$scratch/runs" | median)"
  done
done
