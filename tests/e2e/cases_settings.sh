rounds() {  # rounds frame: each start finds the frame at FRAME and writes back what it read
  local round saved
  for round in $(seq "$1"); do
    saved=$(ini $GEOMETRY) && launch && want "frame at start $round" is "$2" frame_geometry && close_window &&
      want "geometry written at exit $round" is "$saved" ini $GEOMETRY || return 1
  done
}

# Without mode saving the modes go in as off; position saving brings a moved window back. Nothing else
# is left beside the program.
case_exit_writes_settings() {
  local frame twips files
  installed && files=$( (ls -A "$APP" && echo tovu.ini) | sort) && launch &&
    want "tovu.ini before the first exit" eval '[ ! -e "$APP/tovu.ini" ]' && moved 300 300 && menu s q && menu s t &&
    menu s p && frame=$(frame_twips) && close_window && want "lines written" is "[Setting] $KEYS" ini_lines &&
    want "files beside the program" is "$files" eval 'ls -A "$APP" | sort' &&
    want "values written" is "False False False False False False $frame" ini $KEYS &&
    launch && menu s n w && moved 120 90 && frame=$(frame_geometry) && twips=$(frame_twips) && close_window &&
    want "WinPosSave and geometry written" is "True $twips" ini WinPosSave $GEOMETRY && rounds 2 "$frame"
}

# At 120 dpi the toolkit scales by 1.25; the program keeps 15 twips a pixel.
case_saved_geometry_round_trip() { saved_position 1500 3000 6000 3000 && rounds 2 "200 100 200 400"; }
case_scaled_geometry_round_trip() {
  only_on linux || return 0
  echo 'Xft.dpi: 120' | xrdb -merge && saved_position 1500 3000 6000 3000 && rounds 2 "250 125 250 500" &&
    launch && menu s p && lands 700 50 $((1024 - $(frame_width))) 0 && close_window
}

# A move and a resize in one request reach the program together; sticky mode leaves a maximised window be.
case_maximised_exit_keeps_normal_geometry() {
  local before
  launch && before=$(frame_geometry) && wmctrl -ir "$WIN" -e 0,300,200,250,400 &&
    wait_for "frame moved and sized" eval '[ "$(frame_geometry)" != "$before" ]' &&
    want "frame moved and sized at once" eval '[ "$(frame_geometry | cut -d" " -f3-)" != "${before#* * }" ]' &&
    before=$(frame_twips) && menu s p && keys super+Up && wait_for "a maximised window" maximised && _last= &&
    poll 3 settled && still "a maximised window in sticky mode" is "$(frame_geometry)" frame_geometry && close_window &&
    want "geometry written when closed maximised" is "$before" ini $GEOMETRY
}

case_saved_modes_come_back() {
  settings QuickCopy=True TopPos=True PasteMode=True UpMemo=False ModeSave=True WinPosSave=True \
    Top=600 Left=3000 Height=5415 Width=2820 &&
    launch && WAIT=1.5 wait_for "frame restored at 200,40" is "200 0" frame_xy && want "on top at start" is yes on_top &&
    copies '&Alpha;' Down && menu s t && wait_for "on top after choosing it once" is no on_top &&
    menu s t && wait_for "on top after choosing it twice" is yes on_top && close_window &&
    want "written at exit" is "True True True True 0" ini QuickCopy TopPos PasteMode ModeSave Top
}

# The program as another user (nobody, when run as root), with a home of its own, where user_ini lies.
as_other_user() {
  local home=$CASE_DIR/nobody
  mkdir -m 700 -p "$home" && cp "$XAUTHORITY" "$home/Xauthority" && chmod 644 "$home/Xauthority" || return 1
  [ "$(id -u)" -ne 0 ] || { chown nobody "$home" && LAUNCH_AS=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups); }
  LAUNCH_ENV=("HOME=$home" "XAUTHORITY=$home/Xauthority" "XDG_RUNTIME_DIR=$home" "XDG_CONFIG_HOME=$home/.config"
              "XDG_CACHE_HOME=$home/.cache")
}

# A folder the program cannot write, or only append to, stays untouched; the settings go to the user's own
# file, whose folders (AppData\Roaming too) are made, the user's alone, and which the next start reads.
read_only() {  # lock settings lines...
  local before
  rm -rf "$(dirname "$(dirname "$(user_ini)")")" && installed && { [ $# -lt 2 ] || settings "${@:2}"; } && $1 "$APP" &&
    as_other_user && before=$(folder_state) && launch || return 1
  [ "$(id -u)" -ne 0 ] || want "user running the program" is nobody stat -c %U "/proc/$PROGRAM_PID" || return 1
  [ $# -lt 2 ] || want "frame at start" is "$(ini $GEOMETRY)" frame_twips || return 1
  menu s n m && close_window && want "folder and settings after the exit" is "$before" folder_state || return 1
  [ "$E2E_TARGET" = wine ] || want "the user's folder, the user's alone" is 700 stat -c %a "$(dirname "$(user_ini)")" &&
    want "ModeSave in the user's file" is True own_ini ModeSave && launch && close_window &&
    want "ModeSave read back from the user's file" is True own_ini ModeSave
}
own_ini() { INI=$(user_ini) ini "$@"; }
others() { [ "$(id -u)" -ne 0 ] || chown -R nobody "$1"; }  # folder: the other user's
append_only() { others "$1" && chattr +a "$1"; }  # folder
folder_state() { stat -c %y "$APP" && ls -lA --time-style=full-iso "$APP" && { cat "$APP/tovu.ini" 2>/dev/null || :; }; }
# Without a settings file, then with one; an append-only folder, where the system lets a case make one; a folder
# removed while the program runs is not made again.
case_read_only_folder_keeps_settings() {
  local status=0
  read_only "chmod -R a-w" && APP=$(install_program other) && read_only "chmod -R a-w" QuickCopy=False TopPos=False \
    PasteMode=False UpMemo=False ModeSave=False WinPosSave=True Top=1500 Left=3000 Height=5415 Width=2820 &&
    APP=$(install_program appending) || return 1
  if [ "$E2E_TARGET" != wine ] && chattr +a "$APP" 2>/dev/null; then
    chattr -a "$APP" && read_only append_only || status=1
    chattr -a "$APP" && [ $status -eq 0 ] || return 1
  fi
  APP=$(install_program removed) && rm -rf "$(dirname "$(user_ini)")" && others "$APP" && launch && menu s n u && mv "$APP" "$APP.gone" && close_window && want "the folder made again" eval '[ ! -e "$APP" ]' &&
    want "UpMemo in the user's file" is True own_ini UpMemo
}

# A linked tovu.ini is written through, the link kept; a link to nothing stays so, its target never made.
case_linked_settings_file() {
  local kept=$CASE_DIR/app/kept/tovu.ini
  mkdir -p "${kept%/*}" && settings UpMemo=False && mv "$APP/tovu.ini" "$kept" && ln -s "$kept" "$APP/tovu.ini" &&
    launch && menu s n u && close_window && want "the link kept" eval '[ -L "$APP/tovu.ini" ]' &&
    want "UpMemo written through the link" is True ini UpMemo && rm "$kept" && launch && close_window &&
    want "the link to nothing kept, nothing made" eval '[ -L "$APP/tovu.ini" ] && [ ! -e "$kept" ]'
}

case_x_server_lost_saves_settings() {
  only_on linux || return 0
  (
    . "$E2E_HERE/../../tools/x_session.sh"
    X_SESSION_PIDS=() && start_x_session "$CASE_DIR/session" && launch && menu s n u && kill "${X_SESSION_PIDS[@]}" &&
      WAIT=10 wait_for "the program ended" fails program_running && want "tovu.ini" is "[Setting] $KEYS" ini_lines &&
      want "UpMemo" is True ini UpMemo || { echo "$REASON" >"$CASE_DIR/reason"; exit 1; }
  ) || fail "$(cat "$CASE_DIR/reason" 2>/dev/null)"
}

case_restored_window_in_reach() {
  saved_position 1500 -400000 5415 2820 && launch && want "frame off the screen" is "0 100" frame_xy &&
    close_window && want "Left written" is 0 ini Left && saved_position 0 0 491505 491505 && launch &&
    want "frame far larger than the screen" eval '[ "$(frame_geometry | awk "{ print \$3 <= 1024 && \$4 <= 768 }")" = 1 ]' &&
    close_window
}

# Last: under Wine the next program may start slowly after a session end.
case_session_end_saves_settings() {
  local how
  for how in $(session_ends); do
    installed && rm -f "$APP/tovu.ini" && launch && menu s n u && end_session "$how" && WAIT=10 ended "$how" &&
      want "tovu.ini after $how" is "[Setting] $KEYS" ini_lines && want "UpMemo after $how" is True ini UpMemo ||
      return 1
  done
  # One ignored when the program started (nohup) stays ignored.
  [ "$E2E_TARGET" = linux ] || return 0
  LAUNCH_AS=(sh -c 'trap "" HUP && exec "$@"' _) && launch && end_session HUP &&
    still "running after a HUP it was started ignoring" program_running && close_window
}
