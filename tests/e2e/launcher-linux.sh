# The Linux build: BUILD/tovu beside its four lists. The stand-in editor is a
# script named Notepad first on the search path, recording its arguments as
# [arg][arg]...; the program hands a file to the editor as one argument.

check_build() {  # folder
  local file
  for file in tovu list1.nl2 list2.nl2 list3.nl2 list4.nl2; do
    [ -f "$1/$file" ] || { echo "missing $1/$file (build first)" && return 1; }
  done
}

install_program() {  # name
  mkdir -p "$CASE_DIR/$1" && cp "$E2E_BUILD/tovu" "$E2E_BUILD"/list[1-4].nl2 "$CASE_DIR/$1/" && echo "$CASE_DIR/$1"
}

# env and setpriv end in exec, so PROGRAM_PID is the program itself.
start_program() {  # folder args...
  STARTS=$((STARTS + 1))
  ${LAUNCH_AS[@]+"${LAUNCH_AS[@]}"} env ${LAUNCH_ENV[@]+"${LAUNCH_ENV[@]}"} "$1/tovu" "${@:2}" \
    >"$E2E_OUT/$CASE-tovu-$STARTS.log" 2>&1 &
  PROGRAM_PID=$!
}

program_running() { [ "$(awk '{ print $3 }' "/proc/$PROGRAM_PID/stat" 2>/dev/null || echo Z)" != Z ]; }
program_windows() { xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null; }
native_path() { echo "$1"; }

# Each start writes a file of its own, named by the time; whole ones only count.
fake_notepad() {  # folder
  mkdir -p "$CASE_DIR/notepad" "$CASE_DIR/starts"
  cat >"$CASE_DIR/notepad/Notepad" <<EOF
#!/bin/sh
record="$CASE_DIR/starts/\$(date +%s%N).\$\$"
{ [ \$# -eq 0 ] || printf '[%s]' "\$@"; } >"\$record.part" && mv "\$record.part" "\$record"
EOF
  chmod 755 "$CASE_DIR/notepad/Notepad"
  LAUNCH_ENV+=("PATH=$CASE_DIR/notepad:$PATH")
}

no_notepad() { mkdir -p "$CASE_DIR/empty" && LAUNCH_ENV+=("PATH=$CASE_DIR/empty"); }  # folder

notepad_starts() { find "$CASE_DIR/starts" -type f ! -name '*.part' | wc -l; }

notepad_record() {  # n
  local record
  record=$(find "$CASE_DIR/starts" -type f ! -name '*.part' | sort | sed -n "$1p")
  if [ -n "$record" ]; then cat "$record"; else echo "(no start $1)"; fi
}

# Each file one argument, as given; one that starts with "-" after "./", so that
# it is never taken for an option.
notepad_expect() {  # empty | arg TEXT... | file PATH
  [ "$1" = empty ] || for text in "${@:2}"; do printf '[%s]' "${text/#-/./-}"; done
}

# The ways a session ends a program: the signals a logout, kill or a closed
# terminal sends.
session_ends() { echo TERM HUP INT; }
end_session() { kill -"$1" "$PROGRAM_PID"; }  # how
