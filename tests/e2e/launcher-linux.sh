# The Linux build: BUILD/tovu beside its four lists. The stand-in editor is a
# script named Notepad first on the search path, recording its arguments; the
# program hands a file to the editor as one argument. See lib.sh for what a
# launcher provides.

check_build() {  # folder
  local file
  for file in tovu list1.nl2 list2.nl2 list3.nl2 list4.nl2; do
    [ -f "$1/$file" ] || { echo "missing $1/$file (build first)"; return 1; }
  done
}

install_program() {  # name
  mkdir -p "$CASE_DIR/$1" && cp "$E2E_BUILD/tovu" "$E2E_BUILD"/list[1-4].nl2 "$CASE_DIR/$1/" &&
    printf '%s\n' "$CASE_DIR/$1"
}

# env and setpriv end in exec, so PROGRAM_PID is the program itself.
start_program() {  # folder args...
  local dir=$1
  shift
  STARTS=$((STARTS + 1))
  ${LAUNCH_AS[@]+"${LAUNCH_AS[@]}"} env ${LAUNCH_ENV[@]+"${LAUNCH_ENV[@]}"} "$dir/tovu" "$@" \
    >"$E2E_OUT/$CASE-tovu-$STARTS.log" 2>&1 &
  PROGRAM_PID=$!
}

program_running() {
  local state
  state=$(awk '{ print $3 }' "/proc/$PROGRAM_PID/stat" 2>/dev/null) && [ "$state" != Z ]
}

program_windows() {
  xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null
}

native_path() { printf '%s\n' "$1"; }

# Each start leaves a file of its own, named by the time, holding [arg][arg]...
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

no_notepad() {  # folder
  mkdir -p "$CASE_DIR/empty"
  LAUNCH_ENV+=("PATH=$CASE_DIR/empty")
}

notepad_starts() {
  find "$CASE_DIR/starts" -type f ! -name '*.part' | wc -l
}

notepad_record() {  # n
  local record
  record=$(find "$CASE_DIR/starts" -type f ! -name '*.part' | sort | sed -n "$1p")
  if [ -n "$record" ]; then cat "$record"; else echo "(no start $1)"; fi
}

notepad_expect() {  # empty | arg TEXT | file PATH
  [ "$1" = empty ] || printf '[%s]' "$2"
}
