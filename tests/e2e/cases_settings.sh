# The settings file tovu.ini: written at every exit, read at the next start.

KEYS="QuickCopy TopPos PasteMode UpMemo ModeSave WinPosSave Top Left Height Width"
GEOMETRY="Top Left Height Width"

# The first exit writes all ten keys in order; without mode saving the three
# modes are written as off even while on; the frame at exit goes in as Top
# Left Height Width in twips.
case_exit_writes_settings() {
  launch && want "tovu.ini before the first exit" eval '[ ! -e "$APP/tovu.ini" ]' &&
    moved 300 300 && menu s q && menu s t && menu s p || return 1
  local frame
  frame=$(frame_twips)
  close_window &&
    want "lines written" is "[Setting] $KEYS" eval 'tr -d "\r" <"$APP/tovu.ini" | sed "s/=.*//" | paste -sd" "' &&
    want "values written" is "False False False False False False $frame" ini $KEYS
}

# Starts ROUNDS times, each finding the frame at FRAME (pixels) and writing
# back the geometry it read.
rounds() {  # rounds frame
  local round saved
  for round in $(seq "$1"); do
    saved=$(ini $GEOMETRY)
    launch && want "frame at start $round" is "$2" frame_geometry && close_window &&
      want "geometry written at exit $round" is "$saved" ini $GEOMETRY || return 1
  done
}

# Another size than the design's, away from the screen's centre; at 120 dpi
# the toolkit scales by 1.25 and the program keeps its own 15 twips a pixel.
saved_geometry() {  # frame
  settings QuickCopy=False TopPos=False PasteMode=False UpMemo=False ModeSave=False WinPosSave=True \
    Top=1500 Left=3000 Height=6000 Width=3000 && rounds 2 "$1"
}
case_saved_geometry_round_trip() { saved_geometry "200 100 200 400"; }
case_scaled_geometry_round_trip() {
  only_on linux || return 0
  echo 'Xft.dpi: 120' | xrdb -merge
  saved_geometry "250 125 250 500"
}

# The user's way: position saving from the startup submenu, a move, and the
# window comes back there, design size and all.
case_position_saving_from_menu() {
  launch && menu s n w && moved 120 90 || return 1
  local frame twips
  frame=$(frame_geometry) twips=$(frame_twips)
  close_window && want "WinPosSave and geometry written" is "True $twips" ini WinPosSave $GEOMETRY && rounds 2 "$frame"
}

maximised() { xprop -id "$WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT; }
case_maximised_exit_keeps_normal_geometry() {
  launch || return 1
  local normal
  normal=$(frame_twips)
  keys super+Up && wait_for "a maximised window" maximised && close_window &&
    want "geometry written when closed maximised" is "$normal" ini $GEOMETRY
}

# Saved modes come back: always on top, its item checked (choosing it switches
# the mode off, a second time on); instant copy copies the first selection;
# sticky mode pulls a window restored in the top band up.
case_saved_modes_come_back() {
  settings QuickCopy=True TopPos=True PasteMode=True UpMemo=False ModeSave=True WinPosSave=True \
    Top=600 Left=3000 Height=5415 Width=2820 &&
    launch && WAIT=1.5 wait_for "frame restored at 200,40" is "200 0" frame_xy &&
    want "on top at start" is yes on_top && copies '&Alpha;' Down &&
    menu s t && wait_for "on top after choosing it once" is no on_top &&
    menu s t && wait_for "on top after choosing it twice" is yes on_top && close_window &&
    want "written at exit" is "True True True True 0" ini QuickCopy TopPos PasteMode ModeSave Top
}

# A folder the program cannot write: it runs as user nobody when the tests run
# as root (root writes anywhere), and leaves folder and settings untouched.
read_only() {  # settings lines...
  local home=$CASE_DIR/nobody before
  installed && { [ $# -eq 0 ] || settings "$@"; } && chmod -R a-w "$APP" &&
    mkdir -m 700 "$home" && cp "$XAUTHORITY" "$home/Xauthority" && chmod 644 "$home/Xauthority" || return 1
  if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$home" && LAUNCH_AS=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
  fi
  LAUNCH_ENV=("HOME=$home" "XAUTHORITY=$home/Xauthority" "XDG_RUNTIME_DIR=$home" "XDG_CONFIG_HOME=$home/.config"
              "XDG_CACHE_HOME=$home/.cache")
  before=$(folder_state)
  launch || return 1
  [ "$(id -u)" -ne 0 ] || want "user running the program" is nobody stat -c %U "/proc/$PROGRAM_PID" || return 1
  [ $# -eq 0 ] || want "frame at start" is "$(ini $GEOMETRY)" frame_twips || return 1
  # Mode saving switched on: a change to save.
  menu s n m && close_window && want "folder and settings after the exit" is "$before" folder_state
}
folder_state() { stat -c %y "$APP" && ls -lA --time-style=full-iso "$APP" && cat "$APP/tovu.ini" 2>/dev/null; }
case_read_only_folder_without_settings() { read_only; }
case_read_only_folder_keeps_settings() {
  read_only QuickCopy=False TopPos=False PasteMode=False UpMemo=False ModeSave=False WinPosSave=True \
    Top=1500 Left=3000 Height=5415 Width=2820
}

# Every way the session ends the program saves what was chosen: the file holds
# the ten keys with the startup option switched on in that run.
case_session_end_saves_settings() {
  local how
  for how in $(session_ends); do
    installed && rm -f "$APP/tovu.ini" && launch && menu s n u && end_session "$how" &&
      WAIT=10 wait_for "the program ended after $how" fails program_running || return 1
    wait "$PROGRAM_PID"
    want "exit status after $how" is 0 echo $? && want "tovu.ini after $how" is "$KEYS" eval \
      'tr -d "\r" <"$APP/tovu.ini" | sed -n "s/=.*//p" | paste -sd" "' && want "UpMemo after $how" is True ini UpMemo ||
      return 1
  done
}

# The X server going away: the file is still written, from the marks and the
# geometry last recorded.
case_x_server_lost_saves_settings() {
  only_on linux || return 0
  (
    . "$E2E_HERE/x_session.sh"
    X_SESSION_PIDS=() && start_x_session "$CASE_DIR/session" && launch && menu s n u &&
      kill "${X_SESSION_PIDS[@]}" && WAIT=10 wait_for "the program ended" fails program_running &&
      want "tovu.ini" is "$KEYS" eval 'tr -d "\r" <"$APP/tovu.ini" | sed -n "s/=.*//p" | paste -sd" "' &&
      want "UpMemo" is True ini UpMemo || { echo "$REASON" >"$CASE_DIR/reason"; exit 1; }
  ) || fail "$(cat "$CASE_DIR/reason" 2>/dev/null)"
}

# A saved position off every screen, or a size far beyond it, comes back within
# reach; the corrected geometry is what the exit keeps.
case_restored_window_in_reach() {
  settings QuickCopy=False TopPos=False PasteMode=False UpMemo=False ModeSave=False WinPosSave=True \
    Top=1500 Left=-400000 Height=5415 Width=2820 && launch && want "frame off the screen" is "0 100" frame_xy &&
    close_window && want "Left written" is 0 ini Left &&
    settings QuickCopy=False TopPos=False PasteMode=False UpMemo=False ModeSave=False WinPosSave=True \
      Top=0 Left=0 Height=491505 Width=491505 && launch && want "frame far larger than the screen" \
      eval '[ "$(frame_geometry | cut -d" " -f3)" -le 1024 ] && [ "$(frame_geometry | cut -d" " -f4)" -le 768 ]' &&
    close_window
}

# A move and a resize in one request reach the program together: maximised
# and closed, it keeps the position it was moved to.
case_move_and_resize_at_once() {
  launch || return 1
  local before moved
  before=$(frame_geometry)
  wmctrl -ir "$WIN" -e 0,300,200,250,400 && wait_for "frame moved and sized" eval '[ "$(frame_geometry)" != "$before" ]' &&
    want "frame moved and sized at once" eval '[ "$(frame_geometry | cut -d" " -f3-)" != "$(cut -d" " -f3- <<<"$before")" ]' ||
    return 1
  moved=$(frame_twips)
  keys super+Up && wait_for "a maximised window" maximised && close_window &&
    want "geometry written when closed maximised" is "$moved" ini $GEOMETRY
}
