# Helpers for the desktop tests; sourced by each test_*.sh, which run_all.sh
# runs with DISPLAY, E2E_BUILD, E2E_OUT, E2E_SCRATCH, E2E_PIDS and E2E_RESULTS
# set.
#
# A test is a function run by `run_case NAME FUNCTION`: it returns 0 to pass,
# or sets REASON and returns 1 to fail. The `want_*` and `wait_*` helpers set
# REASON themselves, so a test reads `want_eq "$x" 3 "what" || return 1`.

set -uo pipefail

GROUP=$(basename "$0" .sh)
GROUP=${GROUP#test_}
GROUP_DIR=$E2E_SCRATCH/$GROUP
mkdir -p "$GROUP_DIR"
REASON=
NOTE=
TOVU_PID=
TOVU_WIN=
TOVU_STATUS=
TOVU_DIR=
STARTS=0
TOVU_ENV=()
TOVU_AS=()

# Result lines go to the group's log, to the console (fd 3, from run_all.sh)
# and to the results file that run_all.sh counts.
report() {
  printf '%s\n' "$*"
  { printf '%s\n' "$*" >&3; } 2>/dev/null || true
  printf '%s\n' "$*" >>"$E2E_RESULTS"
}

# NOTE, when a test sets it, is shown after its PASS line (a measurement).
run_case() {
  local name=$1 test=$2
  REASON=
  NOTE=
  TOVU_ENV=()
  TOVU_AS=()
  echo "--- $GROUP/$name"
  if "$test"; then
    report "PASS $GROUP/$name${NOTE:+ ($NOTE)}"
  else
    report "FAIL $GROUP/$name: ${REASON:-failed}"
    screenshot "FAIL-$GROUP-$name"
  fi
}

fail() { REASON=$*; return 1; }

want_eq() {  # actual expected what
  [ "$1" = "$2" ] || fail "$3: got '$1', want '$2'"
}

want_le() {  # actual limit what
  [ "$1" -le "$2" ] 2>/dev/null || fail "$3: got '$1', want at most $2"
}

# Runs a command until it succeeds or the seconds run out.
poll() {  # seconds command...
  local deadline
  deadline=$(($(date +%s%N) + $(awk "BEGIN { printf \"%d\", $1 * 1000000000 }")))
  shift
  while :; do
    "$@" && return 0
    [ "$(date +%s%N)" -ge "$deadline" ] && return 1
    sleep 0.05
  done
}

screenshot() {  # name
  import -window root "$E2E_OUT/$1.png" 2>/dev/null || true
}

# --- the program -------------------------------------------------------------

# A fresh folder holding a copy of the program and its lists: the program
# keeps its settings beside itself.
new_install() {  # name; prints the folder
  local dir=$GROUP_DIR/$1
  mkdir -p "$dir"
  cp "$E2E_BUILD/tovu" "$E2E_BUILD"/list[1-4].nl2 "$dir/"
  printf '%s\n' "$dir"
}

# Starts DIR/tovu with the given arguments. TOVU_ENV (array of NAME=value) and
# TOVU_AS (a command prefix, e.g. to drop privileges) shape how it runs; both
# end in exec, so TOVU_PID is the program itself.
tovu_start() {  # dir args...
  TOVU_DIR=$1
  shift
  STARTS=$((STARTS + 1))
  local log=$E2E_OUT/$GROUP-tovu-$STARTS.log
  echo "start $STARTS: $TOVU_DIR/tovu $*" >"$log"
  ${TOVU_AS[@]+"${TOVU_AS[@]}"} env ${TOVU_ENV[@]+"${TOVU_ENV[@]}"} \
    "$TOVU_DIR/tovu" "$@" >>"$log" 2>&1 &
  TOVU_PID=$!
  echo "$TOVU_PID" >>"$E2E_PIDS"
  TOVU_WIN=
  TOVU_STATUS=
}

tovu_running() {
  local state
  state=$(awk '{ print $3 }' "/proc/$TOVU_PID/stat" 2>/dev/null) || return 1
  [ "$state" != Z ]
}

# The program's main window: exactly the title "Tovu" (xdotool's search
# ignores case, and Qt keeps a hidden window named after the program).
find_main_window() {
  local win
  for win in $(xdotool search --onlyvisible --pid "$TOVU_PID" --name '^Tovu$' 2>/dev/null); do
    if [ "$(xprop -id "$win" _NET_WM_NAME 2>/dev/null)" = '_NET_WM_NAME(UTF8_STRING) = "Tovu"' ] &&
       xprop -id "$win" _NET_FRAME_EXTENTS 2>/dev/null | grep -q '='; then
      TOVU_WIN=$win
      return 0
    fi
  done
  return 1
}

geometry_settled() {
  local now
  now=$(frame_geometry "$TOVU_WIN")
  if [ -n "$now" ] && [ "$now" = "${_last_geometry:-}" ]; then return 0; fi
  _last_geometry=$now
  return 1
}

# Waits for the main window to be mapped and framed and to stop moving (the
# program puts its frame in place once the window manager has framed it).
wait_window() {  # [seconds]
  if ! poll "${1:-10}" find_main_window; then
    tovu_running || fail "the program ended before its window appeared (see $E2E_OUT/$GROUP-tovu-$STARTS.log)"
    tovu_running && fail "no window \"Tovu\" within ${1:-10} s"
    return 1
  fi
  _last_geometry=
  poll 3 eval 'geometry_settled && sleep 0.15 && geometry_settled' || true
  activate || fail "the window did not take the focus"
}

activate() {
  xdotool windowactivate --sync "$TOVU_WIN" >/dev/null 2>&1
  poll 2 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$TOVU_WIN" ]'
}

keys() {  # xdotool key names...
  xdotool key --delay 40 "$@"
}

# Popup menus of the program now on screen: its mapped windows that the
# window manager leaves alone (Qt marks a popup's type only the first time).
popups() {
  local win count=0
  for win in $(xdotool search --onlyvisible --pid "$TOVU_PID" 2>/dev/null); do
    xwininfo -id "$win" 2>/dev/null | grep -q 'Override Redirect State: yes' &&
      count=$((count + 1))
  done
  echo "$count"
}

# Chooses a menu item by its access keys, as a user does: Alt+letter opens
# the menu, each further letter picks an item or opens a submenu.
menu() {  # menu-letter item-letter... (a submenu's letter first)
  local top=$1 open=1 key
  shift
  activate || { fail "the window could not be focused"; return 1; }
  keys "alt+$top"
  poll 2 eval '[ "$(popups)" -ge 1 ]' || { fail "menu Alt+$top did not open"; return 1; }
  for key in "$@"; do
    keys "$key"
    if [ "$key" != "${!#}" ]; then
      open=$((open + 1))
      poll 2 eval "[ \"\$(popups)\" -ge $open ]" || { fail "submenu $key did not open"; return 1; }
    fi
  done
  poll 2 eval '[ "$(popups)" -eq 0 ]' || { fail "menu stayed open after choosing ${!#}"; return 1; }
}

# Asks the window to close as its frame's close button does (a close request
# the program may answer as it likes), then waits for the program to end.
close_window() {  # [seconds]
  activate || true
  keys alt+F4
  wait_exit "${1:-5}"
}

wait_exit() {  # [seconds]; sets TOVU_STATUS
  if ! poll "${1:-5}" eval '! tovu_running'; then
    kill -KILL "$TOVU_PID" 2>/dev/null
    wait "$TOVU_PID" 2>/dev/null
    TOVU_STATUS=killed
    fail "the program was still running ${1:-5} s after the close request"
    return 1
  fi
  wait "$TOVU_PID"
  TOVU_STATUS=$?
}

# Ends a program a test left running, so that the next test starts clean.
tovu_kill() {
  if [ -n "$TOVU_PID" ] && tovu_running; then
    kill -KILL "$TOVU_PID" 2>/dev/null
    wait "$TOVU_PID" 2>/dev/null
  fi
  return 0
}

# --- what a user sees ---------------------------------------------------------

clipboard() {
  xclip -o -selection clipboard 2>/dev/null
}

# Puts text on the clipboard from another client (xclip keeps serving it until
# another client takes the clipboard over).
set_clipboard() {  # text
  local text=$1
  printf '%s' "$text" | xclip -i -selection clipboard >/dev/null 2>&1
  poll 2 eval '[ "$(clipboard)" = "$text" ]'
}

wait_clipboard() {  # expected [seconds]
  local want=$1
  if ! poll "${2:-2}" eval '[ "$(clipboard)" = "$want" ]'; then
    fail "clipboard holds '$(clipboard)', want '$want'"
    return 1
  fi
}

# The window manager's frame around a client window, as "left top right bottom".
frame_extents() {  # window
  xprop -id "$1" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ','
}

# Client window as "x y width height", x and y relative to the screen.
client_geometry() {  # window
  xwininfo -id "$1" 2>/dev/null | awk '
    /Absolute upper-left X:/ { x = $NF } /Absolute upper-left Y:/ { y = $NF }
    /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
    END { if (w != "") print x, y, w, h }'
}

# The outer frame, as the program's own Left, Top, Width and Height see it:
# "x y width height" in pixels.
frame_geometry() {  # window
  local l r t b x y w h
  read -r l r t b <<<"$(frame_extents "$1")"
  read -r x y w h <<<"$(client_geometry "$1")"
  [ -n "$l" ] && [ -n "$w" ] || return 1
  echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

# Moves the window so that its frame's top-left corner lands at x y.
move_frame() {  # x y
  local l r t b
  read -r l r t b <<<"$(frame_extents "$TOVU_WIN")"
  xdotool windowmove "$TOVU_WIN" "$(($1 + l))" "$(($2 + t))"
}

net_wm_state() {  # window
  xprop -id "$1" _NET_WM_STATE 2>/dev/null | sed -n 's/.*= *//p'
}

has_above() {
  net_wm_state "$TOVU_WIN" | grep -q _NET_WM_STATE_ABOVE
}

# --- files --------------------------------------------------------------------

ini_keys() {  # file; the keys in file order, blank-separated
  tr -d '\r' <"$1" | sed -n 's/^\([^=[]*\)=.*/\1/p' | tr '\n' ' ' | sed 's/ $//'
}

ini_value() {  # file key
  tr -d '\r' <"$1" | sed -n "s/^$2=//p" | head -n 1
}

write_ini() {  # file key=value...
  local file=$1
  shift
  { printf '[Setting]\r\n'; printf '%s\r\n' "$@"; } >"$file"
}

# A stand-in for the editor: records each start's arguments in a file of its
# own under DIR/starts, the count first, each one ended by a NUL.
fake_notepad() {  # dir
  mkdir -p "$1/bin" "$1/starts"
  cat >"$1/bin/Notepad" <<EOF
#!/bin/sh
record="$1/starts/\$(date +%s%N).\$\$"
{ printf '%s\0' "\$#"; [ \$# -eq 0 ] || printf '%s\0' "\$@"; } >"\$record.part"
mv "\$record.part" "\$record"
EOF
  chmod 755 "$1/bin/Notepad"
}

notepad_count() {  # dir
  find "$1/starts" -maxdepth 1 -type f ! -name '*.part' | wc -l
}

# The arguments of the n-th start (1 = first), shown as [arg] [arg] ...
notepad_args() {  # dir n
  local record args=() shown=
  record=$(find "$1/starts" -maxdepth 1 -type f ! -name '*.part' | sort | sed -n "${2}p")
  [ -n "$record" ] || { echo "(no start $2)"; return; }
  mapfile -d '' args <"$record"
  for arg in "${args[@]:1}"; do shown+="[$arg] "; done
  printf '%s' "${shown% }"
}
