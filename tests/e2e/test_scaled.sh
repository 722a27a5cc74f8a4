#!/usr/bin/env bash
# A 120-dpi desktop (Xft.dpi, as desktops set it): the toolkit scales by 1.25
# and the program keeps working in its own pixels at 15 twips each, so a
# saved window comes back at 1.25 times its twips / 15 in screen pixels, and
# sticky mode still lands on the screen's real edges.
. "$(dirname "$0")/lib.sh"

SCALE_NUM=5  # 1.25 = 5/4
SCALE_DEN=4

echo 'Xft.dpi: 120' | xrdb -merge
trap 'xrdb -remove' EXIT

# Screen pixels for a number of twips.
screen_px() {
  echo $(($1 * SCALE_NUM / (15 * SCALE_DEN)))
}

scaled_geometry_round_trip() {
  local dir ini want
  dir=$(new_install scaled)
  ini=$dir/tovu.ini
  write_ini "$ini" QuickCopy=False TopPos=False PasteMode=False UpMemo=False \
    ModeSave=False WinPosSave=True Top=1500 Left=3000 Height=6000 Width=3000
  want="$(screen_px 3000) $(screen_px 1500) $(screen_px 3000) $(screen_px 6000)"
  local round
  for round in 1 2; do
    tovu_start "$dir"
    wait_window || return 1
    want_eq "$(frame_geometry "$TOVU_WIN")" "$want" "frame (x y width height) at start $round" || return 1
    screenshot scaled-start-$round
    close_window || return 1
    want_eq "$(ini_value "$ini" Top) $(ini_value "$ini" Left) $(ini_value "$ini" Height) $(ini_value "$ini" Width)" \
      "1500 3000 6000 3000" "geometry written at exit $round" || return 1
  done
}

scaled_sticky_reaches_the_edges() {
  tovu_start "$(new_install scaled-sticky)"
  wait_window || return 1
  local w
  read -r _ _ w _ <<<"$(frame_geometry "$TOVU_WIN")"
  menu s p || return 1
  move_frame 700 50
  poll 1.5 eval '[ "$(frame_geometry "$TOVU_WIN" | cut -d" " -f1-2)" = "$((1024 - w)) 0" ]' ||
    fail "moved to 700,50: frame at $(frame_geometry "$TOVU_WIN" | cut -d" " -f1-2), want $((1024 - w)),0 (right edge on the screen's)" ||
    return 1
  close_window
}

run_case geometry_round_trip scaled_geometry_round_trip
tovu_kill
run_case sticky_reaches_the_edges scaled_sticky_reaches_the_edges
tovu_kill
