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

# A top in the top tenth of the screen snaps up (76 of 768), a right edge in the right tenth right (922 of
# 1024), near and away from the edges. Snapped, no CPU and nothing asked of the window system; the exit saves
# the place the window has.
case_sticky_mode() {
  local ticks w W H T R
  read -r W H <<<"$(xwininfo -root | awk '/^ *(Width|Height):/ { printf "%s ", $2 }')" && T=$(((H + 9) / 10 - 1))
  R=$((W - (W + 9) / 10)) && launch && lands 300 30 300 30 && menu s p && w=$(frame_width) &&
    WAIT=1.5 wait_for "frame snapped once sticky mode is on" is "300 0" frame_xy || return 1
  lands_all <<ROWS || return 1
300 50 300 0
$((W - w - 50)) 300 $((W - w)) 300
$((W - w + 20)) 300 $((W - w)) 300
300 $((T + 1)) 300 $((T + 1))
300 $T 300 0
$((R - w)) 300 $((R - w)) 300
$((R + 1 - w)) 300 $((W - w)) 300
$((R - w)) $((T + 1)) $((R - w)) $((T + 1))
$((R + 1 - w)) $T $((W - w)) 0
$((W / 4)) $((H - 200)) $((W / 4)) $((H - 200))
$((W / 2)) 5 $((W / 2)) 0
$((W / 3)) $((H / 2)) $((W / 3)) $((H / 2))
ROWS
  local moves && lands 300 50 300 0 && ticks=$(cpu_ticks) &&
    moves=$(timeout 3 xev -id "$WIN" -event structure | grep -c ^ConfigureNotify || :) ticks=$(($(cpu_ticks) - ticks))
  NOTE="$ticks clock ticks of CPU and $moves configure events in 3 s snapped, $(getconf CLK_TCK) ticks a second"
  [ "$ticks" -le 3 ] && [ "$moves" -eq 0 ] || fail "$NOTE, want at most 3 ticks and no event" || return 1
  local saved && menu s p && lands 300 40 300 40 && saved=$(frame_twips) && close_window &&
    want "the place saved, as the window system has it" is "$saved" ini $GEOMETRY
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

# With no X display the program is a Wayland client: it starts, the modes that need a window placing itself
# are disabled (as assistive technology sees the menus), and the exit writes the settings back as they were.
case_native_wayland() {
  only_on mutter || return 0
  local saved && settings QuickCopy=False TopPos=True PasteMode=True UpMemo=False ModeSave=True WinPosSave=True \
    Top=1500 Left=3000 Height=5415 Width=2820 && saved=$(ini $KEYS) || return 1
  LAUNCH_ENV=(-u DISPLAY WAYLAND_DISPLAY="$E2E_WAYLAND" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1)
  dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null &&
    start_program "$APP" && wait_for "the disabled menu items" is "常に手前に表示(T) くっつきモード(P) ウィンドウ位置を保存する(W)" \
    /usr/bin/python3 -c 'import pyatspi
def walk(a): return [a] + [d for c in a if c for d in walk(c)]
app = next(a for a in pyatspi.Registry.getDesktop(0) if a and a.name == "tovu")
print(*(a.name for a in walk(app) if a.name and not a.getState().contains(pyatspi.STATE_ENABLED)))' &&
    end_session TERM && ended TERM && want "settings written back" is "$saved" ini $KEYS
}
