#!/usr/bin/env bash
# Notepad starts (command line, File menu, open dialog), the settings file
# written at exit and read at start, and a folder the program cannot write.
. "$(dirname "$0")/lib.sh"

KEYS="QuickCopy TopPos PasteMode UpMemo ModeSave WinPosSave Top Left Height Width"
TWIPS=15
pages="$GROUP_DIR/x/My Pages"
mkdir -p "$pages"
: >"$pages/a b.htm"
: >"$pages/e f.htm"
np=$GROUP_DIR/notepad
fake_notepad "$np"

# --- Notepad ------------------------------------------------------------------

# Mapped windows of the program that the window manager frames, other than
# the main window: the open-file dialog.
dialogs() {
  local win
  for win in $(xdotool search --onlyvisible --pid "$TOVU_PID" 2>/dev/null); do
    [ "$win" = "$TOVU_WIN" ] && continue
    xwininfo -id "$win" 2>/dev/null | grep -q 'Override Redirect State: no' && echo "$win"
  done
}

wait_dialog() {
  local dialog=
  poll 5 eval 'dialog=$(dialogs | head -n 1); [ -n "$dialog" ]' ||
    fail "no open-file dialog within 5 s of Ctrl+O" || return 1
  poll 3 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$dialog" ]' ||
    fail "the open-file dialog did not take the focus" || return 1
  sleep 0.2  # the dialog fills its file list and name field once shown
}

wait_no_dialog() {
  poll 3 eval '[ -z "$(dialogs)" ]' || fail "the open-file dialog is still open" || return 1
  activate
}

wait_starts() {  # count
  local want=$1
  poll 3 eval '[ "$(notepad_count "$np")" -ge "$want" ]' ||
    fail "Notepad started $(notepad_count "$np") times, want $want" || return 1
  sleep 0.3
  want_eq "$(notepad_count "$np")" "$want" "Notepad starts"
}

command_line_goes_to_notepad() {
  TOVU_ENV=("PATH=$np/bin:$PATH")
  tovu_start "$(new_install notepad)" "$pages/a b.htm"
  [ ! -e "$TOVU_DIR/tovu.ini" ] || fail "tovu.ini exists before the first exit" || return 1
  wait_window || return 1
  wait_starts 1 || return 1
  want_eq "$(notepad_args "$np" 1)" "[$pages/a b.htm]" "Notepad's arguments"
}

file_new_twice_starts_two_empty_notepads() {
  activate && keys ctrl+n
  wait_starts 2 || return 1
  keys ctrl+n
  wait_starts 3 || return 1
  want_eq "$(notepad_args "$np" 2)|$(notepad_args "$np" 3)" "|" "arguments of the two starts"
}

open_typed_path_with_blanks() {
  activate && keys ctrl+o
  wait_dialog || return 1
  xdotool type --delay 15 "$pages/e f.htm"
  sleep 0.3
  screenshot notepad-open-dialog
  keys Return
  wait_no_dialog || return 1
  wait_starts 4 || return 1
  want_eq "$(notepad_args "$np" 4)" "[$pages/e f.htm]" "Notepad's arguments"
}

open_cancelled_starts_nothing() {
  keys ctrl+o
  wait_dialog || return 1
  keys Escape
  wait_no_dialog || return 1
  sleep 0.5
  want_eq "$(notepad_count "$np")" 4 "Notepad starts after Escape"
}

open_again_preselects_last_file() {
  keys ctrl+o
  wait_dialog || return 1
  keys Return
  wait_no_dialog || return 1
  wait_starts 5 || return 1
  want_eq "$(notepad_args "$np" 5)" "[$pages/e f.htm]" "Notepad's arguments"
}

# Picks a file in the open dialog as a keyboard user does: into the folder,
# the last file type (all files), then the file list and the first file whose
# name starts with the given letter.
pick_from_list() {  # folder letter
  keys ctrl+o
  wait_dialog || return 1
  xdotool type --delay 15 "$1/"
  keys Return
  sleep 0.4
  keys Tab End shift+Tab shift+Tab
  sleep 0.2
  keys "$2"
  sleep 0.2
  keys Return
}

# "All files (*.*)" means every file, as it does where the filter comes from;
# here a file without an extension must be offered too.
all_files_type_offers_every_file() {
  local folder=$GROUP_DIR/x/plain count
  mkdir -p "$folder"
  : >"$folder/notes"
  : >"$folder/page.htm"
  count=$(notepad_count "$np")
  pick_from_list "$folder" n || return 1
  if poll 2 eval '[ -z "$(dialogs)" ]'; then
    activate
    wait_starts $((count + 1)) || return 1
    want_eq "$(notepad_args "$np" $((count + 1)))" "[$folder/notes]" "Notepad's arguments"
    return
  fi
  screenshot notepad-all-files
  keys Escape
  wait_no_dialog || return 1
  # The same steps find a file with an extension: only the filter is at fault.
  pick_from_list "$folder" p || return 1
  if poll 2 eval '[ -z "$(dialogs)" ]' && wait_starts $((count + 1)) &&
     [ "$(notepad_args "$np" $((count + 1)))" = "[$folder/page.htm]" ]; then
    activate
    fail "file type \"すべてのﾌｧｲﾙ(*.*)\" lists page.htm but not 'notes', a file without an extension"
  else
    keys Escape
    wait_no_dialog
    fail "could not pick a file from the open dialog's list by keyboard"
  fi
}

# --- the settings file ----------------------------------------------------------

# Frame geometry as the settings file keeps it: Top Left Height Width, twips.
frame_twips() {
  local x y w h
  read -r x y w h <<<"$(frame_geometry "$TOVU_WIN")"
  echo "$((y * TWIPS)) $((x * TWIPS)) $((h * TWIPS)) $((w * TWIPS))"
}

ini_geometry() {  # file
  echo "$(ini_value "$1" Top) $(ini_value "$1" Left) $(ini_value "$1" Height) $(ini_value "$1" Width)"
}

exit_writes_ten_keys_in_order() {
  local frame ini=$TOVU_DIR/tovu.ini
  frame=$(frame_twips)
  close_window || return 1
  want_eq "$TOVU_STATUS" 0 "exit status" || return 1
  [ -f "$ini" ] || fail "no tovu.ini after the exit" || return 1
  want_eq "$(tr -d '\r' <"$ini" | head -n 1)" "[Setting]" "first line" || return 1
  want_eq "$(ini_keys "$ini")" "$KEYS" "keys" || return 1
  local flag
  for flag in QuickCopy TopPos PasteMode UpMemo ModeSave WinPosSave; do
    want_eq "$(ini_value "$ini" $flag)" False "$flag" || return 1
  done
  want_eq "$(ini_geometry "$ini")" "$frame" "Top Left Height Width against the frame at exit"
}

# Starts the program in dir, checks the frame lands at the saved geometry,
# closes it and checks the same geometry was written back.
geometry_round() {  # dir round
  local ini=$1/tovu.ini saved
  saved=$(ini_geometry "$ini")
  tovu_start "$1"
  wait_window || return 1
  want_eq "$(frame_twips)" "$saved" "frame (as Top Left Height Width) at start $2" || return 1
  close_window || return 1
  want_eq "$TOVU_STATUS" 0 "exit status of start $2" || return 1
  want_eq "$(ini_geometry "$ini")" "$saved" "geometry written at exit $2"
}

saved_geometry_round_trip() {
  local dir
  dir=$(new_install geometry)
  # Another size than the design's, away from the screen's centre.
  write_ini "$dir/tovu.ini" QuickCopy=False TopPos=False PasteMode=False UpMemo=False \
    ModeSave=False WinPosSave=True Top=1500 Left=3000 Height=6000 Width=3000
  geometry_round "$dir" 1 && geometry_round "$dir" 2
}

# The user's way: switch position saving on from the startup submenu, move
# the window, and find it there at the next start, design size and all.
position_saving_from_menu() {
  local dir ini
  dir=$(new_install menu-geometry)
  ini=$dir/tovu.ini
  tovu_start "$dir"
  wait_window || return 1
  menu s n w || return 1
  move_frame 120 90
  poll 2 eval '[ "$(frame_geometry "$TOVU_WIN" | cut -d" " -f1-2)" = "120 90" ]' ||
    fail "the window manager did not move the frame to 120,90" || return 1
  local frame
  frame=$(frame_twips)
  close_window || return 1
  want_eq "$(ini_value "$ini" WinPosSave)" True "WinPosSave after choosing it from the menu" || return 1
  want_eq "$(ini_geometry "$ini")" "$frame" "geometry written at exit" || return 1
  geometry_round "$dir" 2 && geometry_round "$dir" 3
}

maximised_exit_keeps_normal_geometry() {
  local dir ini normal
  dir=$(new_install maximised)
  ini=$dir/tovu.ini
  tovu_start "$dir"
  wait_window || return 1
  normal=$(frame_twips)
  keys super+Up
  poll 3 eval 'net_wm_state "$TOVU_WIN" | grep -q _NET_WM_STATE_MAXIMIZED_VERT' ||
    fail "the window manager did not maximise the window" || return 1
  sleep 0.3
  close_window || return 1
  want_eq "$(ini_geometry "$ini")" "$normal" "geometry written when closed while maximised"
}

mode_saved_on_top_starts_on_top() {
  local dir ini
  dir=$(new_install on-top)
  ini=$dir/tovu.ini
  write_ini "$ini" QuickCopy=False TopPos=True PasteMode=False UpMemo=False \
    ModeSave=True WinPosSave=False Top=0 Left=0 Height=0 Width=0
  tovu_start "$dir"
  wait_window || return 1
  has_above || fail "window starts without _NET_WM_STATE_ABOVE (state: $(net_wm_state "$TOVU_WIN"))" || return 1
  screenshot settings-on-top-start
  # Checked, so choosing the item switches the mode off; a second time, on.
  menu s t || return 1
  poll 2 eval '! has_above' ||
    fail "choosing always on top did not switch it off: its mark was not checked" || return 1
  menu s t || return 1
  poll 2 has_above || fail "choosing always on top again did not switch it on" || return 1
  close_window || return 1
  want_eq "$(ini_value "$ini" ModeSave) $(ini_value "$ini" TopPos)" "True True" "ModeSave TopPos written at exit"
}

# Saved modes come back at the next start: instant copy copies the first
# selection, and sticky mode pulls a window restored in the top band up.
saved_modes_come_back() {
  local dir ini
  dir=$(new_install saved-modes)
  ini=$dir/tovu.ini
  write_ini "$ini" QuickCopy=True TopPos=False PasteMode=True UpMemo=False \
    ModeSave=True WinPosSave=True Top=600 Left=3000 Height=5415 Width=2820
  tovu_start "$dir"
  poll 10 find_main_window || fail "no window \"Tovu\"" || return 1
  poll 1.5 eval '[ "$(frame_geometry "$TOVU_WIN" | cut -d" " -f1-2)" = "200 0" ]' ||
    fail "window restored at top 40 px is at $(frame_geometry "$TOVU_WIN" | cut -d" " -f1-2) after 1.5 s, want 200 0" ||
    return 1
  activate && keys Down
  wait_clipboard '&Alpha;' || return 1
  close_window || return 1
  want_eq "$(ini_value "$ini" QuickCopy) $(ini_value "$ini" PasteMode) $(ini_value "$ini" Top)" "True True 0" \
    "QuickCopy PasteMode Top written at exit"
}

# With the startup option on, Notepad starts once: empty without a command
# line, with the command line when there is one.
startup_option_starts_notepad() {
  local dir ini count
  dir=$(new_install up-memo)
  ini=$dir/tovu.ini
  write_ini "$ini" QuickCopy=False TopPos=False PasteMode=False UpMemo=True \
    ModeSave=False WinPosSave=False
  count=$(notepad_count "$np")
  TOVU_ENV=("PATH=$np/bin:$PATH")
  tovu_start "$dir"
  wait_window || return 1
  wait_starts $((count + 1)) || return 1
  want_eq "$(notepad_args "$np" $((count + 1)))" "" "arguments of the start without a command line" || return 1
  close_window || return 1
  want_eq "$(ini_value "$ini" UpMemo)" True "UpMemo written at exit" || return 1
  tovu_start "$dir" "$pages/a b.htm"
  wait_window || return 1
  wait_starts $((count + 2)) || return 1
  want_eq "$(notepad_args "$np" $((count + 2)))" "[$pages/a b.htm]" "arguments of the start with a command line" || return 1
  close_window
}

# --- a folder the program cannot write ------------------------------------------

# Runs the program as user nobody when run as root (root writes anywhere);
# otherwise as the current user, for whom a 0555 folder is read-only too.
read_only_runs() {  # name [settings lines...]
  local dir home=$GROUP_DIR/$1-home ini
  dir=$(new_install "$1")
  ini=$dir/tovu.ini
  shift
  [ $# -eq 0 ] || write_ini "$ini" "$@"
  chmod 0444 "$dir"/*
  chmod 0555 "$dir" "$dir/tovu"
  chmod 0755 "$GROUP_DIR"
  mkdir -p "$home"
  cp "$XAUTHORITY" "$home/Xauthority"
  chmod 0644 "$home/Xauthority"
  if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$home"
    TOVU_AS=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
  fi
  chmod 0700 "$home"
  TOVU_ENV=("HOME=$home" "XAUTHORITY=$home/Xauthority" "XDG_RUNTIME_DIR=$home"
            "XDG_CONFIG_HOME=$home/.config" "XDG_CACHE_HOME=$home/.cache")
  local before
  before=$(stat -c '%y' "$dir"; ls -lA --time-style=full-iso "$dir"; cat "$ini" 2>/dev/null)
  tovu_start "$dir"
  wait_window || return 1
  if [ "$(id -u)" -eq 0 ]; then
    want_eq "$(stat -c %U "/proc/$TOVU_PID")" nobody "user running the program" || return 1
  fi
  if [ -f "$ini" ]; then
    want_eq "$(frame_twips)" "$(ini_geometry "$ini")" "frame at start against the saved geometry" || return 1
  fi
  menu s n m || return 1  # a change to save
  close_window || return 1
  want_eq "$TOVU_STATUS" 0 "exit status" || return 1
  want_eq "$(stat -c '%y' "$dir"; ls -lA --time-style=full-iso "$dir"; cat "$ini" 2>/dev/null)" "$before" \
    "folder and settings after the exit"
}

read_only_folder_without_settings() {
  read_only_runs read-only
}

read_only_folder_keeps_settings() {
  read_only_runs read-only-ini QuickCopy=False TopPos=False PasteMode=False UpMemo=False \
    ModeSave=False WinPosSave=True Top=1500 Left=3000 Height=5415 Width=2820
}

# --- odd command lines and no Notepad --------------------------------------------

# No shell ever sees the argument: Notepad gets it as it was given.
shell_characters_reach_notepad_unchanged() {
  local odd="\$(touch $GROUP_DIR/pwned);\`touch $GROUP_DIR/pwned2\`|>x&.htm"
  local count
  count=$(notepad_count "$np")
  TOVU_ENV=("PATH=$np/bin:$PATH")
  tovu_start "$(new_install odd)" "$odd"
  wait_window || return 1
  wait_starts $((count + 1)) || return 1
  want_eq "$(notepad_args "$np" $((count + 1)))" "[$odd]" "Notepad's arguments" || return 1
  [ ! -e "$GROUP_DIR/pwned" ] && [ ! -e "$GROUP_DIR/pwned2" ] || fail "a shell ran the command line" || return 1
  close_window
}

no_notepad_anywhere() {
  mkdir -p "$GROUP_DIR/empty-bin"
  TOVU_ENV=("PATH=$GROUP_DIR/empty-bin")
  tovu_start "$(new_install no-notepad)" "$pages/a b.htm"
  wait_window || return 1
  keys ctrl+n
  sleep 0.5
  tovu_running || fail "the program ended after File > Start Notepad without a Notepad" || return 1
  close_window || return 1
  want_eq "$TOVU_STATUS" 0 "exit status"
}

run_case command_line_goes_to_notepad command_line_goes_to_notepad
run_case file_new_twice file_new_twice_starts_two_empty_notepads
run_case open_typed_path_with_blanks open_typed_path_with_blanks
run_case open_cancelled_starts_nothing open_cancelled_starts_nothing
run_case open_again_preselects_last_file open_again_preselects_last_file
run_case all_files_type_offers_every_file all_files_type_offers_every_file
run_case exit_writes_ten_keys_in_order exit_writes_ten_keys_in_order
tovu_kill
run_case saved_geometry_round_trip saved_geometry_round_trip
tovu_kill
run_case position_saving_from_menu position_saving_from_menu
tovu_kill
run_case maximised_exit_keeps_normal_geometry maximised_exit_keeps_normal_geometry
tovu_kill
run_case mode_saved_on_top_starts_on_top mode_saved_on_top_starts_on_top
tovu_kill
run_case saved_modes_come_back saved_modes_come_back
tovu_kill
run_case startup_option_starts_notepad startup_option_starts_notepad
tovu_kill
run_case read_only_folder_without_settings read_only_folder_without_settings
tovu_kill
run_case read_only_folder_keeps_settings read_only_folder_keeps_settings
tovu_kill
run_case shell_characters_reach_notepad_unchanged shell_characters_reach_notepad_unchanged
tovu_kill
run_case no_notepad_anywhere no_notepad_anywhere
tovu_kill
