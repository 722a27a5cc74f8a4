# The Linux build. The stand-in editor, Notepad first on the search path, records [arg][arg]...
BUILT="tovu tovu-clipboard list1.nl2 list2.nl2 list3.nl2 list4.nl2"
install_program() {  # name
  mkdir -p "$CASE_DIR/$1" && cp "$E2E_BUILD"/tovu{,-clipboard} "$E2E_BUILD"/list[1-4].nl2 "$CASE_DIR/$1/" && echo "$CASE_DIR/$1"
}
program_path() { echo "$1/tovu"; }  # folder
# env and setpriv end in exec, so PROGRAM_PID is the program itself. A script's background
# job starts with INT ignored; a person's program, from a desktop or a terminal, does not.
start_program() {  # folder args...
  STARTS=$((STARTS + 1))
  ${LAUNCH_AS[@]+"${LAUNCH_AS[@]}"} env --default-signal=INT ${LAUNCH_ENV[@]+"${LAUNCH_ENV[@]}"} "$(program_path "$1")" \
    "${@:2}" >"$E2E_OUT/$CASE-tovu-$STARTS.log" 2>&1 &
  PROGRAM_PID=$!
}
native_path() { echo "$1"; }
on_display() { :; }  # the program takes the display it is started on
user_ini() { echo "$CASE_DIR/nobody/.config/tovu/tovu.ini"; }  # read_only's user

fake_notepad() {  # folder
  mkdir -p "$CASE_DIR/notepad" "$CASE_DIR/starts"
  printf '#!/bin/sh\nrecord="%s/$(date +%%s%%N).$$"\n%s\n' "$CASE_DIR/starts" \
    '{ [ $# -eq 0 ] || printf "[%s]" "$@"; } >"$record.part" && mv "$record.part" "$record"' >"$CASE_DIR/notepad/Notepad"
  chmod 755 "$CASE_DIR/notepad/Notepad" && LAUNCH_ENV+=("PATH=$CASE_DIR/notepad:$PATH")
}
no_notepad() { mkdir -p "$CASE_DIR/empty" && LAUNCH_ENV+=("PATH=$CASE_DIR/empty"); }  # folder
starts() { find "$CASE_DIR/starts" -type f ! -name '*.part' | sort; }
# Each file one argument, as given; one that starts with "-" after "./".
notepad_expect() { [ "$1" = empty ] || for text in "${@:2}"; do printf '[%s]' "${text/#-/./-}"; done; }

session_ends() { echo TERM HUP INT; }  # the signals of a logout, kill or closed terminal
end_session() { kill -"$1" "$PROGRAM_PID"; }  # how
