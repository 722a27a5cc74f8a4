# Notepad: started by the File menu, from the open dialog, with the command
# line, or by the startup option; or missing altogether.

page() {  # name: an empty file in a folder with a blank in its name; prints its path
  mkdir -p "$CASE_DIR/My Pages" && : >"$CASE_DIR/My Pages/$1" && echo "$CASE_DIR/My Pages/$1"
}

# Ctrl+O, the steps once another window of the program (the open dialog) has
# the focus, and back to the main window once that has closed.
open_dialog() {  # steps...
  keys ctrl+o && wait_for "an open dialog with the focus" \
    eval '[ "$(xdotool getwindowfocus)" != "$WIN" ] && program_windows | grep -qx "$(xdotool getwindowfocus)"' &&
    act "$@" && wait_for "the open dialog closed" is "$WIN" program_windows && activate
}

# The command line goes to Notepad as one file; File > Start Notepad twice
# starts two empty ones.
case_command_line_and_new_notepad() {
  local page
  page=$(native_path "$(page "a b.htm")") && installed && fake_notepad "$APP" &&
    launch "$page" && wait_notepad_starts 1 && keys ctrl+n && wait_notepad_starts 2 && keys ctrl+n &&
    want_notepad_starts 3 && want_notepad_start 1 arg "$page" && want_notepad_start 2 empty &&
    want_notepad_start 3 empty && close_window
}

# A typed path with blanks opens; Escape starts nothing; the next use offers
# the file chosen before.
case_open_dialog() {
  local page
  page=$(page "e f.htm") && installed && fake_notepad "$APP" &&
    launch && open_dialog type "$(native_path "$page")" Return && wait_notepad_starts 1 &&
    open_dialog Escape && open_dialog Return && want_notepad_starts 2 &&
    want_notepad_start 1 file "$page" && want_notepad_start 2 file "$page" && close_window
}

# "All files (*.*)" lists every file, one without an extension too: picked by
# keyboard in Qt's dialog (into the folder, the last file type, the list, a letter).
case_all_files_type_offers_every_file() {
  only_on linux || return 0
  mkdir "$CASE_DIR/plain" && : >"$CASE_DIR/plain/notes" && : >"$CASE_DIR/plain/page.htm" &&
    installed && fake_notepad "$APP" &&
    launch && open_dialog type "$CASE_DIR/plain/" Return Tab End shift+Tab shift+Tab n Return &&
    want_notepad_starts 1 && want_notepad_start 1 file "$CASE_DIR/plain/notes" && close_window
}

# With the startup option Notepad starts once: empty without a command line,
# with the command line alone when there is one.
case_startup_option_starts_notepad() {
  local page
  page=$(native_path "$(page "a b.htm")") && installed && fake_notepad "$APP" &&
    settings QuickCopy=False TopPos=False PasteMode=False UpMemo=True ModeSave=False WinPosSave=False &&
    launch && wait_notepad_starts 1 && close_window && want "UpMemo written" is True ini UpMemo &&
    launch "$page" && want_notepad_starts 2 && want_notepad_start 1 empty && want_notepad_start 2 arg "$page" &&
    close_window
}

# No shell ever sees the command line: Notepad gets it as it was given.
case_shell_characters_reach_notepad_unchanged() {
  local odd="\$(touch $CASE_DIR/pwned);\`touch $CASE_DIR/pwned2\`|>x&.htm"
  installed && fake_notepad "$APP" && launch "$odd" && want_notepad_starts 1 &&
    want_notepad_start 1 arg "$odd" && close_window || return 1
  [ ! -e "$CASE_DIR/pwned" ] && [ ! -e "$CASE_DIR/pwned2" ] || fail "a shell ran the command line"
}

case_no_notepad_anywhere() {
  installed && no_notepad "$APP" && launch "$(native_path "$(page "a b.htm")")" && keys ctrl+n &&
    still "the program ended after Ctrl+N without a Notepad" program_running && close_window
}

# Every argument reaches the editor whole and never as an option: quotes, a
# name that starts with "-", several names; so does a dialog path that ends in
# a blank (Linux: Windows names cannot end in one).
case_file_names_reach_the_editor_whole() {
  local quoted="it's \"quoted\".html" dashed="-dash.htm" page
  page=$(page "g h.htm ") && installed && fake_notepad "$APP" &&
    launch "$quoted" "$dashed" "$(native_path "$page")" && wait_notepad_starts 1 &&
    want_notepad_start 1 arg "$quoted" "$dashed" "$(native_path "$page")" || return 1
  [ "$E2E_TARGET" = linux ] || { close_window; return; }
  open_dialog type "$page" Return && want_notepad_starts 2 && want_notepad_start 2 file "$page" && close_window
}
