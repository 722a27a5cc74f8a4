# The Windows build under Wine, as user nobody when run as root (Wine as root writes
# through read-only files). The stand-in editor beside the program records its command line.
BUILT="tovu.exe list1.nl2 list2.nl2 list3.nl2 list4.nl2 tests/Notepad.exe"

WINE_AS=()
[ "$(id -u)" -ne 0 ] || WINE_AS=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups)
# The other user reaches only the session's folder (the build's may be private): it
# works in a home there, with copies of what it runs.
as_wine() { (cd "$E2E_SCRATCH/wine" && exec ${WINE_AS[@]+"${WINE_AS[@]}"} env HOME="$PWD" XAUTHORITY="$PWD/Xauthority" "$@"); }
in_prefix() { as_wine bash -c '. ./wine.sh && wine_env "$PWD/prefix" && "$@"' _ "$@"; }
as_nobody() { [ "$(id -u)" -ne 0 ] || chown -R nobody "$@"; }

# Once a session: the prefix, and the frame Windows puts around the X window, which the program counts.
launcher_setup() {
  local home=$E2E_SCRATCH/wine status
  mkdir -p "$home" && cp "$XAUTHORITY" "$E2E_HERE/../../tools/wine.sh" "$E2E_BUILD/tests/frame.exe" "$home/" &&
    chmod 644 "$home/Xauthority" && as_nobody "$home" || return 1
  as_wine bash -c '. ./wine.sh && make_wine_prefix "$PWD/prefix" "$PWD/prefix.log"'
  status=$?
  cp "$home/prefix.log" "$E2E_OUT/wine-prefix.log" 2>/dev/null
  [ $status -eq 0 ] && in_prefix wine_exec frame.exe >"$E2E_SCRATCH/frame" 2>"$E2E_OUT/wine-frame.log"
}
borders() { tr -d '\r' <"$E2E_SCRATCH/frame" | awk '{ print $1, $3, $2, $4 }'; }
# Wine's processes live on the display of the first one: a case on another display starts
# them afresh there, and again on the suite's own after it.
on_display() { launcher_cleanup; cp "$XAUTHORITY" "$E2E_SCRATCH/wine/Xauthority" && as_nobody "$E2E_SCRATCH/wine/Xauthority"; }
launcher_cleanup() { as_wine env WINEPREFIX="$E2E_SCRATCH/wine/prefix" wineserver -k 2>/dev/null; }

install_program() {  # name
  mkdir -p "$CASE_DIR/$1" && cp "$E2E_BUILD/tovu.exe" "$E2E_BUILD"/list[1-4].nl2 "$CASE_DIR/$1/" &&
    as_nobody "$CASE_DIR/$1" && echo "$CASE_DIR/$1"
}

start_program() {  # folder args...
  STARTS=$((STARTS + 1))
  local as=("${LAUNCH_AS[@]}") home=$E2E_SCRATCH/wine  # a case's own user, or the launcher's
  [ ${#as[@]} -gt 0 ] || as=(${WINE_AS[@]+"${WINE_AS[@]}"})
  (cd "$home" && exec ${as[@]+"${as[@]}"} env HOME="$home" XAUTHORITY="$home/Xauthority" ${LAUNCH_ENV[@]+"${LAUNCH_ENV[@]}"} \
    bash -c '. ./wine.sh && wine_env "$1" && wine_exec "${@:2}"' _ "$home/prefix" "$1/tovu.exe" "${@:2}") \
    >"$E2E_OUT/$CASE-tovu-$STARTS.log" 2>&1 &
  PROGRAM_PID=$!
}

native_path() { local path=${1//\//\\}; echo "Z:$path"; }
user_ini() {  # %APPDATA%\Tovu\tovu.ini of read_only's user
  echo "$E2E_SCRATCH/wine/prefix/drive_c/users/$([ "$(id -u)" -ne 0 ] && id -un || echo nobody)/AppData/Roaming/Tovu/tovu.ini"
}

fake_notepad() {  # folder
  cp "$E2E_BUILD/tests/Notepad.exe" "$1/" && mkdir -p "$1/starts" && NOTEPAD_STARTS=$1/starts && as_nobody "$1"
}
# Windows would find Wine's own Notepad in the system's folders: hidden for the case. One
# planted in the current folder must never start.
no_notepad() {  # folder
  local f home=$E2E_SCRATCH/wine windows=$E2E_SCRATCH/wine/prefix/drive_c/windows
  for f in $(find "$windows" -maxdepth 2 -iname notepad.exe); do mv "$f" "$f.hidden"; done
  trap "for f in \$(find '$windows' -maxdepth 2 -iname notepad.exe.hidden); do mv \"\$f\" \"\${f%.hidden}\"; done
    rm -rf '$home/Notepad.exe' '$home/starts'" EXIT
  fake_notepad "$home"
}
starts() { find "$NOTEPAD_STARTS" -name '*.txt' | sort -t- -k1,1n; }

# As Wine puts an argument on a command line: quoted if blank or empty, a quote as \" after doubled backslashes.
wine_quoted() {  # text
  local text quote=
  [[ -z $1 || $1 == *[$' \t']* ]] && quote='"'
  text=$(sed -E 's/(\\*)"/\1\1\\"/g' <<<"$1") && { [ -z "$quote" ] || text=$(sed -E 's/(\\+)$/\1\1/' <<<"$text"); }
  echo "$quote$text$quote"
}
notepad_expect() {  # empty | arg TEXT... | file PATH
  case $1 in
    empty) echo Notepad ;;
    arg) local text line=Notepad; for text in "${@:2}"; do line+=" $(wine_quoted "$text")"; done; echo "$line" ;;
    file) echo "Notepad $(native_path "$2")" ;;
  esac
}

session_ends() { echo session; }  # WM_QUERYENDSESSION and WM_ENDSESSION to every window
end_session() { in_prefix wine_cmd wineboot --end-session >>"$E2E_OUT/$CASE-session.log" 2>&1 & }  # how
