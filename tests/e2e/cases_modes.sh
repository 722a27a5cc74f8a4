# The frame, the client, and the lower of the window and OTHER in the stacking.
placed() { echo "$(frame_geometry) $(client_geometry)" "$(xprop -root _NET_CLIENT_LIST_STACKING |
  grep -o '0x[0-9a-f]*' | grep -m 1 -x -e "$(printf 0x%x "$WIN")" -e "$OTHER")"; }

# The window keeps its place, and stays in front of a window opened while it was on top.
case_always_on_top() {
  launch && want "a fresh window on top" is no on_top || return 1
  local x y place="$(frame_geometry) $(client_geometry)"
  read -r x y _ <<<"$place"
  menu s t && wait_for "on top after switching it on" is yes on_top || return 1
  xmessage -geometry "300x200+$((x + 40))+$((y + 40))" -name tovu-e2e-other "another window" &
  wait_for "another window" eval 'OTHER=$(xdotool search --onlyvisible --classname tovu-e2e-other)' || return 1
  OTHER=$(printf 0x%x "$OTHER")
  still "place, and the lower window, on top" is "$place $OTHER" placed &&
    menu s t && wait_for "on top after switching it off" is no on_top &&
    still "place, and the lower window, after switching off" is "$place $OTHER" placed && close_window
}

lands() {  # x y wx wy: moved to x,y the frame ends at wx,wy within three ticks and stays
  move_frame "$1" "$2" && WAIT=1.5 wait_for "frame moved to $1,$2" is "$3 $4" frame_xy || return 1
  [ "$1 $2" != "$3 $4" ] || still "frame moved to $1,$2" is "$3 $4" frame_xy
}
lands_all() { local x y wx wy; while read -r x y wx wy; do lands "$x" "$y" "$wx" "$wy" || return 1; done; }  # stdin
frame_width() { frame_geometry | cut -d' ' -f3; }

# On 1024 x 768 a top of 76 or less snaps up, a right edge of 922 or more right. Idle, no CPU.
case_sticky_mode() {
  local ticks w
  launch && lands 840 30 840 30 && menu s p && w=$(frame_width) || return 1
  lands_all <<ROWS || return 1
300 50 300 0
800 300 $((1024 - w)) 300
300 -40 300 0
950 300 $((1024 - w)) 300
$((921 - w)) 77 $((921 - w)) 77
$((922 - w)) 76 $((1024 - w)) 0
-20 568 -20 568
ROWS
  menu s p && lands 300 40 300 40 || return 1
  ticks=$(cpu_ticks) && sleep 3 && ticks=$(($(cpu_ticks) - ticks))
  NOTE="$ticks clock ticks of CPU in 3 s idle, $(getconf CLK_TCK) a second"
  [ "$ticks" -le 3 ] || fail "$NOTE, want at most 3" || return 1
  close_window
}
# Two monitors side by side, the window on the right one: it snaps to that monitor's edges.
case_sticky_mode_on_the_second_monitor() {
  [ "$(id -u)" -eq 0 ] && command -v Xorg >/dev/null || { SKIPPED="two monitors need Xorg's dummy driver, as root" && return 0; }
  local status=0
  (
    . "$E2E_HERE/../../tools/x_session.sh"
    X_SESSION_PIDS=() && X_MONITORS=2 start_x_session "$CASE_DIR/session" && on_display && launch && menu s p &&
      w=$(frame_width) && lands_all <<ROWS && close_window || { echo "$REASON" >"$CASE_DIR/reason"; exit 1; }
1300 300 1300 300
1300 40 1300 0
$((2000 - w)) 300 $((2048 - w)) 300
-20 568 -20 568
ROWS
  ) || status=1
  on_display  # back on the suite's own
  [ $status -eq 0 ] || fail "$(cat "$CASE_DIR/reason" 2>/dev/null)"
}
cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$PROGRAM_PID/stat"; }
