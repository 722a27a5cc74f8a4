page() { mkdir -p "$CASE_DIR/My Pages" && : >"$CASE_DIR/My Pages/$1" && echo "$CASE_DIR/My Pages/$1"; }  # name

# Ctrl+O, the steps once the open dialog has the focus, and back to the main window.
open_dialog() {  # steps...
  keys ctrl+o && wait_for "an open dialog with the focus" \
    eval '[ "$(xdotool getwindowfocus)" != "$WIN" ] && program_windows | grep -qx "$(xdotool getwindowfocus)"' &&
    act "$@" && wait_for "the open dialog closed" is "$WIN" program_windows && activate
}

# With the startup option on, a start with a command line starts one Notepad, with its file, and a start
# without one an empty Notepad; with the option off, none. Escape starts nothing; the dialog's next use
# offers the file chosen before.
case_command_line_and_new_notepad() {
  local page chosen
  page=$(native_path "$(page "a b.htm")") && chosen=$(page "e f.htm") && settings UpMemo=True && fake_notepad "$APP" &&
    launch "$page" && wait_notepad_starts 1 && keys ctrl+n && wait_notepad_starts 2 && keys ctrl+n &&
    wait_notepad_starts 3 && open_dialog type "$(native_path "$chosen")" Return && wait_notepad_starts 4 &&
    open_dialog Escape && open_dialog Return && want_notepad_starts 5 && want_notepad_start 1 arg "$page" &&
    want_notepad_start 2 empty && want_notepad_start 3 empty && want_notepad_start 4 file "$chosen" &&
    want_notepad_start 5 file "$chosen" && close_window && launch && wait_notepad_starts 6 && menu s n u &&
    close_window && launch && want_notepad_starts 6 && want_notepad_start 6 empty && close_window
}

case_no_notepad_anywhere() {
  installed && no_notepad "$APP" && launch "$(native_path "$(page "a b.htm")")" && keys ctrl+n &&
    still "the program ended after Ctrl+N without a Notepad" program_running && want_notepad_starts 0 && close_window
}

# Never as options nor through a shell; a dialog path may end in a blank on Linux only.
case_file_names_reach_the_editor_whole() {
  local quoted="it's \"quoted\".html" dashed="-dash.htm" page
  local odd="\$(touch $CASE_DIR/pwned);\`touch $CASE_DIR/pwned2\`|>x&.htm"
  page=$(page "g h.htm ") && installed && fake_notepad "$APP" &&
    launch "$quoted" "$dashed" "$odd" "$(native_path "$page")" && wait_notepad_starts 1 &&
    want_notepad_start 1 arg "$quoted" "$dashed" "$odd" "$(native_path "$page")" || return 1
  [ ! -e "$CASE_DIR/pwned" ] && [ ! -e "$CASE_DIR/pwned2" ] || fail "a shell ran the command line" || return 1
  [ "$E2E_TARGET" = linux ] || { close_window; return; }
  open_dialog type "$page" Return && want_notepad_starts 2 && want_notepad_start 2 file "$page" && close_window
}
