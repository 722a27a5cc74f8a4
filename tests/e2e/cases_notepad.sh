# Notepad: started by the File menu, from the open dialog, with the command
# line, or by the startup option; or missing altogether.

page() {  # name: an empty file in a folder with a blank in its name; prints its path
  mkdir -p "$CASE_DIR/My Pages" && : >"$CASE_DIR/My Pages/$1" && printf '%s\n' "$CASE_DIR/My Pages/$1"
}

wait_notepad_starts() { wait_for "Notepad starts" is "$1" notepad_starts; }  # count

# The program's framed windows other than the main one: the open dialog.
dialogs() {
  local win
  for win in $(program_windows); do
    [ "$win" != "$WIN" ] && xwininfo -id "$win" | grep -q 'Override Redirect State: no' && echo "$win"
  done
}

# Ctrl+O, the steps once the dialog has the focus, and back to the window once
# the dialog has closed.
open_dialog() {  # steps...
  local dialog=
  keys ctrl+o
  wait_for "an open dialog with the focus" \
    eval 'dialog=$(dialogs | head -n 1); [ -n "$dialog" ] && [ "$(xdotool getwindowfocus)" = "$dialog" ]' &&
    act "$@" && wait_for "the open dialog closed" is "" dialogs && activate
}

# The command line goes to Notepad as one file; File > Start Notepad twice
# starts two empty ones.
case_command_line_and_new_notepad() {
  local page
  page=$(native_path "$(page "a b.htm")") && APP=$(install_program app) && fake_notepad "$APP"
  launch "$page" && wait_notepad_starts 1 && keys ctrl+n && wait_notepad_starts 2 && keys ctrl+n &&
    want_notepad_starts 3 && want_notepad_start 1 arg "$page" && want_notepad_start 2 empty &&
    want_notepad_start 3 empty && close_window
}

# A typed path with blanks opens; Escape starts nothing; the next use offers
# the file chosen before.
case_open_dialog() {
  local page
  page=$(page "e f.htm") && APP=$(install_program app) && fake_notepad "$APP"
  launch && open_dialog type "$(native_path "$page")" Return && wait_notepad_starts 1 &&
    open_dialog Escape && open_dialog Return && want_notepad_starts 2 &&
    want_notepad_start 1 file "$page" && want_notepad_start 2 file "$page" && close_window
}

# "All files (*.*)" lists every file, one without an extension too: picked by
# keyboard in Qt's dialog (into the folder, the last file type, the list, a letter).
case_all_files_type_offers_every_file() {
  only_on linux || return 0
  mkdir -p "$CASE_DIR/plain" && : >"$CASE_DIR/plain/notes" && : >"$CASE_DIR/plain/page.htm"
  APP=$(install_program app) && fake_notepad "$APP"
  launch && open_dialog type "$CASE_DIR/plain/" Return Tab End shift+Tab shift+Tab n Return &&
    want_notepad_starts 1 && want_notepad_start 1 file "$CASE_DIR/plain/notes" && close_window
}

# With the startup option Notepad starts once: empty without a command line,
# with the command line alone when there is one.
case_startup_option_starts_notepad() {
  local page
  page=$(native_path "$(page "a b.htm")") && APP=$(install_program app) && fake_notepad "$APP"
  write_ini "$APP/tovu.ini" QuickCopy=False TopPos=False PasteMode=False UpMemo=True ModeSave=False WinPosSave=False
  launch && wait_notepad_starts 1 && close_window && want "UpMemo written" is True ini_values "$APP/tovu.ini" UpMemo &&
    launch "$page" && want_notepad_starts 2 && want_notepad_start 1 empty && want_notepad_start 2 arg "$page" &&
    close_window
}

# No shell ever sees the command line: Notepad gets it as it was given.
case_shell_characters_reach_notepad_unchanged() {
  local odd="\$(touch $CASE_DIR/pwned);\`touch $CASE_DIR/pwned2\`|>x&.htm"
  APP=$(install_program app) && fake_notepad "$APP"
  launch "$odd" && want_notepad_starts 1 && want_notepad_start 1 arg "$odd" && close_window || return 1
  [ ! -e "$CASE_DIR/pwned" ] && [ ! -e "$CASE_DIR/pwned2" ] || fail "a shell ran the command line"
}

case_no_notepad_anywhere() {
  APP=$(install_program app) && no_notepad "$APP"
  launch "$(native_path "$(page "a b.htm")")" && keys ctrl+n &&
    still "the program after Ctrl+N without a Notepad" is yes running && close_window
}
