#!/usr/bin/env bash
# The Settings menu's three modes: instant copy, always on top, sticky mode.
. "$(dirname "$0")/lib.sh"

SCREEN_WIDTH=1024
SCREEN_HEIGHT=768
other_pid=

start() {
  tovu_start "$(new_install modes)"
  wait_window
}

instant_copy_copies_every_selection() {
  set_clipboard "before" || fail "could not put text on the clipboard" || return 1
  menu s q || return 1
  sleep 0.3
  want_eq "$(clipboard)" "before" "clipboard right after switching instant copy on" || return 1
  keys Down
  wait_clipboard '&Alpha;' || return 1
  keys Down
  wait_clipboard '&Beta;' || return 1
  # Choosing a list selects nothing, so it copies nothing.
  set_clipboard "after" || fail "could not put text on the clipboard" || return 1
  keys ctrl+g
  sleep 0.4
  want_eq "$(clipboard)" "after" "clipboard after choosing the list again" || return 1
  keys Down
  wait_clipboard '&Alpha;'
}

copy_button_disabled_while_instant_copy() {
  set_clipboard "mine" || fail "could not put text on the clipboard" || return 1
  activate && keys alt+c
  sleep 0.4
  screenshot modes-instant-copy
  want_eq "$(clipboard)" "mine" "clipboard after Alt+C with instant copy on" || return 1
  menu s q || return 1
  set_clipboard "mine again" || fail "could not put text on the clipboard" || return 1
  keys Down
  sleep 0.4
  want_eq "$(clipboard)" "mine again" "clipboard after a selection with instant copy off" || return 1
  keys alt+c
  wait_clipboard '&Beta;'
}

always_on_top_keeps_place_and_size() {
  local frame client
  frame=$(frame_geometry "$TOVU_WIN")
  client=$(client_geometry "$TOVU_WIN")
  has_above && fail "window starts with _NET_WM_STATE_ABOVE" && return 1
  menu s t || return 1
  poll 2 has_above || fail "no _NET_WM_STATE_ABOVE after switching always on top on (state: $(net_wm_state "$TOVU_WIN"))" || return 1
  sleep 0.3
  want_eq "$(frame_geometry "$TOVU_WIN")" "$frame" "frame after switching on" || return 1
  want_eq "$(client_geometry "$TOVU_WIN")" "$client" "client after switching on" || return 1
  menu s t || return 1
  poll 2 eval '! has_above' || fail "_NET_WM_STATE_ABOVE still set after switching always on top off" || return 1
  sleep 0.3
  want_eq "$(frame_geometry "$TOVU_WIN")" "$frame" "frame after switching off" || return 1
  want_eq "$(client_geometry "$TOVU_WIN")" "$client" "client after switching off"
}

# Bottom-most client of the two, from the window manager's stacking list.
lower_of() {  # window window
  local id
  for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*#//' | tr -d ','); do
    [ $((id)) -eq "$1" ] && { echo "$1"; return; }
    [ $((id)) -eq "$2" ] && { echo "$2"; return; }
  done
}

# Switching the mode off drops the window to the bottom and raises it again,
# so it must end in front of an ordinary window it overlaps.
always_on_top_off_stays_in_front() {
  local x y w h other=
  read -r x y w h <<<"$(frame_geometry "$TOVU_WIN")"
  menu s t || return 1
  poll 2 has_above || fail "no _NET_WM_STATE_ABOVE after switching always on top on" || return 1
  xmessage -geometry "300x200+$((x + 40))+$((y + 40))" -name tovu-e2e-other "another window" &
  other_pid=$!
  poll 5 eval 'other=$(xdotool search --onlyvisible --classname tovu-e2e-other 2>/dev/null | head -n 1); [ -n "$other" ]' ||
    fail "the other window did not appear" || return 1
  sleep 0.3
  want_eq "$(lower_of "$TOVU_WIN" "$other")" "$other" "lower window while Tovu is on top" || return 1
  menu s t || return 1
  poll 2 eval '! has_above' || fail "_NET_WM_STATE_ABOVE still set after switching off" || return 1
  sleep 0.3
  screenshot modes-on-top-off
  want_eq "$(lower_of "$TOVU_WIN" "$other")" "$other" "lower window after switching always on top off (Tovu $TOVU_WIN, other $other)"
}

close_other() {
  [ -n "$other_pid" ] && kill "$other_pid" 2>/dev/null && wait "$other_pid" 2>/dev/null
  other_pid=
  activate
}

frame_at() {  # x y
  [ "$(frame_geometry "$TOVU_WIN" | cut -d' ' -f1-2)" = "$1 $2" ]
}

# Puts the frame at x y and checks it is still there after three ticks' time.
stays_at() {  # x y what
  move_frame "$1" "$2"
  sleep 1.5
  local now
  now=$(frame_geometry "$TOVU_WIN" | cut -d' ' -f1-2)
  want_eq "$now" "$1 $2" "frame position 1.5 s after moving it to $1,$2 ($3)"
}

# Puts the frame at x y and waits for it to arrive at wx wy.
snaps_to() {  # x y wx wy what
  move_frame "$1" "$2"
  poll 1.5 frame_at "$3" "$4" ||
    fail "moved to $1,$2 ($5): frame at $(frame_geometry "$TOVU_WIN" | cut -d' ' -f1-2) after 1.5 s, want $3,$4"
}

sticky_off_moves_nothing() {
  # Inside both bands; also proves that the window manager puts the frame
  # exactly where the tests ask.
  stays_at 840 30 "sticky mode never switched on"
}

sticky_snaps_to_top_and_right() {
  local w
  read -r _ _ w _ <<<"$(frame_geometry "$TOVU_WIN")"
  menu s p || return 1
  snaps_to 300 50 300 0 "top band" || return 1
  snaps_to 800 300 $((SCREEN_WIDTH - w)) 300 "right band" || return 1
  snaps_to 300 -40 300 0 "above the screen" || return 1
  snaps_to 950 300 $((SCREEN_WIDTH - w)) 300 "past the right edge" || return 1
  screenshot modes-sticky
}

# 1024 x 768: the top rule fires for a top of 76 or less, the right rule for
# a right edge of 922 or more.
sticky_thresholds() {
  local w
  read -r _ _ w _ <<<"$(frame_geometry "$TOVU_WIN")"
  stays_at $((921 - w)) 77 "top 77, right edge 921" || return 1
  snaps_to $((922 - w)) 76 $((SCREEN_WIDTH - w)) 0 "top 76, right edge 922"
}

sticky_ignores_left_and_bottom() {
  stays_at -20 $((SCREEN_HEIGHT - 200)) "past the left and bottom edges"
}

sticky_off_again_stops() {
  menu s p || return 1
  stays_at 300 40 "sticky mode switched off"
}

idle_cpu() {
  local before after ticks
  read -r before < <(awk '{ print $14 + $15 }' "/proc/$TOVU_PID/stat")
  sleep 10
  read -r after < <(awk '{ print $14 + $15 }' "/proc/$TOVU_PID/stat")
  ticks=$((after - before))
  NOTE="$ticks clock ticks of CPU in 10 s idle, $(getconf CLK_TCK) per second"
  want_le "$ticks" 10 "CPU clock ticks used in 10 s idle with sticky mode off"
}

# Without mode saving, the exit stores all three modes as off, even while on.
modes_not_saved_without_mode_save() {
  move_frame 300 300
  menu s q && menu s t && menu s p || return 1
  close_window || return 1
  want_eq "$TOVU_STATUS" 0 "exit status" || return 1
  local ini=$TOVU_DIR/tovu.ini
  [ -f "$ini" ] || fail "no tovu.ini written at exit" || return 1
  want_eq "$(ini_value "$ini" QuickCopy) $(ini_value "$ini" TopPos) $(ini_value "$ini" PasteMode)" \
    "False False False" "QuickCopy TopPos PasteMode"
}

run_case window_appears start
run_case instant_copy_copies_every_selection instant_copy_copies_every_selection
run_case copy_button_disabled_while_instant_copy copy_button_disabled_while_instant_copy
run_case always_on_top_keeps_place_and_size always_on_top_keeps_place_and_size
run_case always_on_top_off_stays_in_front always_on_top_off_stays_in_front
close_other
run_case sticky_off_moves_nothing sticky_off_moves_nothing
run_case sticky_snaps_to_top_and_right sticky_snaps_to_top_and_right
run_case sticky_thresholds sticky_thresholds
run_case sticky_ignores_left_and_bottom sticky_ignores_left_and_bottom
run_case sticky_off_again_stops sticky_off_again_stops
run_case idle_cpu idle_cpu
run_case modes_not_saved_without_mode_save modes_not_saved_without_mode_save
tovu_kill
