# The Windows build under Wine: BUILD/tovu.exe (32- or 64-bit) beside its four
# lists, run in a prefix of the session's. As root, Wine writes through
# read-only files, so every program runs as user nobody then, in folders of its
# own. The stand-in editor is tests/Notepad.exe put in the program's folder,
# where Windows looks first; it records its raw command line.

check_build() {  # folder
  local file
  for file in tovu.exe list1.nl2 list2.nl2 list3.nl2 list4.nl2 tests/Notepad.exe; do
    [ -f "$1/$file" ] || { echo "missing $1/$file (build first)" && return 1; }
  done
}

. "$E2E_HERE/../wine/prefix.sh"
WINE_AS=()
[ "$(id -u)" -ne 0 ] || WINE_AS=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)

# Once a session: the prefix, owned by whoever runs the programs.
launcher_setup() {
  local home=$E2E_SCRATCH/wine
  mkdir -p "$home" && cp "$XAUTHORITY" "$home/Xauthority" && chmod 644 "$home/Xauthority" &&
    { [ "$(id -u)" -ne 0 ] || chown nobody "$home"; } || return 1
  ${WINE_AS[@]+"${WINE_AS[@]}"} env HOME="$home" XAUTHORITY="$home/Xauthority" \
    bash -c '. "$1" && make_wine_prefix "$2/prefix" "$2/prefix.log"' _ "$E2E_HERE/../wine/prefix.sh" "$home"
  local status=$?
  cp "$home/prefix.log" "$E2E_OUT/wine-prefix.log" 2>/dev/null
  [ $status -eq 0 ] && ${WINE_AS[@]+"${WINE_AS[@]}"} env HOME="$home" XAUTHORITY="$home/Xauthority" \
    bash -c '. "$1" && wine_env "$2" && wine "$3"' _ "$E2E_HERE/../wine/prefix.sh" "$home/prefix" \
    "$E2E_BUILD/tests/frame.exe" >"$E2E_SCRATCH/frame" 2>"$E2E_OUT/wine-frame.log"
}

# Windows' own frame around the X window (the client area and the menu bar):
# the program's Left, Top, Width and Height count it, not the window manager's.
borders() { tr -d '\r' <"$E2E_SCRATCH/frame" | awk '{ print $1, $3, $2, $4 }'; }
launcher_cleanup() {
  ${WINE_AS[@]+"${WINE_AS[@]}"} env WINEPREFIX="$E2E_SCRATCH/wine/prefix" wineserver -k 2>/dev/null
}

install_program() {  # name
  local dir=$CASE_DIR/$1
  mkdir -p "$dir" && cp "$E2E_BUILD/tovu.exe" "$E2E_BUILD"/list[1-4].nl2 "$dir/" &&
    { [ "$(id -u)" -ne 0 ] || chown -R nobody "$dir"; } && echo "$dir"
}

start_program() {  # folder args...
  STARTS=$((STARTS + 1))
  local home=$E2E_SCRATCH/wine
  local as=("${LAUNCH_AS[@]}")  # a case's own user, or the launcher's
  [ ${#as[@]} -gt 0 ] || as=(${WINE_AS[@]+"${WINE_AS[@]}"})
  ${as[@]+"${as[@]}"} env HOME="$home" XAUTHORITY="$home/Xauthority" \
    ${LAUNCH_ENV[@]+"${LAUNCH_ENV[@]}"} bash -c '. "$1" && wine_env "$2" && wine_exec "${@:3}"' _ \
    "$E2E_HERE/../wine/prefix.sh" "$home/prefix" "$1/tovu.exe" "${@:2}" >"$E2E_OUT/$CASE-tovu-$STARTS.log" 2>&1 &
  PROGRAM_PID=$!
}

program_running() { [ "$(awk '{ print $3 }' "/proc/$PROGRAM_PID/stat" 2>/dev/null || echo Z)" != Z ]; }
program_windows() { xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null; }
native_path() { local path=${1//\//\\}; echo "Z:$path"; }

fake_notepad() {  # folder
  cp "$E2E_BUILD/tests/Notepad.exe" "$1/" && mkdir -p "$1/starts" && NOTEPAD_STARTS=$1/starts &&
    { [ "$(id -u)" -ne 0 ] || chown -R nobody "$1"; }
}

# Windows would find Wine's own Notepad in the system's folders: hidden for the case.
no_notepad() {  # folder
  local found
  found=$(find "$E2E_SCRATCH/wine/prefix/drive_c/windows" -maxdepth 2 -iname notepad.exe)
  for f in $found; do mv "$f" "$f.hidden"; done
  trap 'for f in $(find "$E2E_SCRATCH/wine/prefix/drive_c/windows" -maxdepth 2 -iname notepad.exe.hidden); do mv "$f" "${f%.hidden}"; done' EXIT
}

notepad_starts() { find "$NOTEPAD_STARTS" -name '*.txt' | wc -l; }
notepad_record() {  # n
  local record
  record=$(find "$NOTEPAD_STARTS" -name '*.txt' | sort -t- -k1,1n | sed -n "$1p")
  if [ -n "$record" ]; then cat "$record"; else echo "(no start $1)"; fi
}

# As Wine puts an argument on a Windows command line: in quotes when it holds a
# blank or is empty, a quote as \" after its backslashes doubled.
wine_quoted() {  # text
  local text=$1 out= c i run=0 quote=
  [[ -z $text || $text == *[$' \t']* ]] && quote='"'
  for ((i = 0; i < ${#text}; i++)); do
    c=${text:i:1}
    if [ "$c" = '\' ]; then run=$((run + 1)); else
      [ "$c" != '"' ] || { out+=$(printf "%${run}s" '' | tr ' ' '\\')'\'; }
      run=0
    fi
    out+=$c
  done
  [ -z "$quote" ] || out+=$(printf "%${run}s" '' | tr ' ' '\\')
  echo "$quote$out$quote"
}

# The command line Notepad was given: the program's own, unchanged, after "Notepad ".
notepad_expect() {  # empty | arg TEXT... | file PATH
  case $1 in
    empty) echo Notepad ;;
    arg) local text line=Notepad; for text in "${@:2}"; do line+=" $(wine_quoted "$text")"; done; echo "$line" ;;
    file) echo "Notepad $(native_path "$2")" ;;
  esac
}

# The end of a Windows session: WM_QUERYENDSESSION and WM_ENDSESSION to every window.
session_ends() { echo session; }
end_session() {  # how
  local home=$E2E_SCRATCH/wine
  ${WINE_AS[@]+"${WINE_AS[@]}"} env HOME="$home" XAUTHORITY="$home/Xauthority" \
    bash -c '. "$1" && wine_env "$2" && wineboot --end-session' _ "$E2E_HERE/../wine/prefix.sh" "$home/prefix" \
    >>"$E2E_OUT/$CASE-session.log" 2>&1 &
}
