# Helpers for the desktop tests. A case is a function case_NAME in one of the
# cases_*.sh files; run_all.sh runs each in a shell of its own through
# `run_case NAME`, with DISPLAY, E2E_BUILD, E2E_OUT and E2E_SCRATCH set.
# A case returns 0 to pass, or sets REASON and returns 1 to fail; the checks
# below set REASON themselves, so a case chains them with && and `|| return 1`.
set -uo pipefail

# The launcher, launcher-$E2E_TARGET.sh, is all that cases know of how the
# program is built and started. It provides:
#   check_build DIR        fails, saying why, when DIR holds no built program
#   install_program NAME   makes CASE_DIR/NAME holding the program and its four
#                          list files (it keeps tovu.ini beside itself); prints it
#   start_program DIR ARG...  starts it in the background with ARGs as its
#                          command line, LAUNCH_ENV (NAME=value words) in its
#                          environment, behind LAUNCH_AS (a command prefix that
#                          runs it as another user); sets PROGRAM_PID to a child
#                          of this shell that ends, with the program's status,
#                          when it ends; logs to E2E_OUT/CASE-tovu-STARTS.log
#   program_running        whether the program still runs
#   program_windows        its mapped windows, as X ids
#   native_path PATH       PATH as the program takes it (command line, dialog)
#   fake_notepad DIR       gives the program in DIR a stand-in editor that
#                          records each start; no_notepad DIR: no editor at all
#   notepad_starts         how many starts the stand-in has recorded
#   notepad_record N       what the N-th start received, in the form of
#   notepad_expect KIND [TEXT]  what it must have received: "empty" (no file),
#                          "arg TEXT" (TEXT, as given to start_program, was the
#                          program's one argument) or "file PATH" (the Unix
#                          path PATH was chosen in the open dialog)
# A Windows build under Wine starts DIR/tovu.exe with wine, puts a Notepad.exe
# recording its raw command line into DIR, hides Wine's own notepad for
# no_notepad, converts with `winepath -w`, and expects "Notepad", "Notepad "
# and the argument as Windows quotes it (Notepad "Z:\tmp\x\a b.htm"), or
# "Notepad " and the bare Windows path (Notepad Z:\tmp\x\e f.htm).
E2E_TARGET=${E2E_TARGET:-linux}
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$E2E_HERE/launcher-$E2E_TARGET.sh" || return 1
for _file in "$E2E_HERE"/cases_*.sh; do . "$_file"; done

REASON= NOTE= SKIPPED= CASE= CASE_DIR= APP= WIN= PROGRAM_PID= STARTS=0 MENU_BAR=0
LAUNCH_ENV=() LAUNCH_AS=()
CLIENT_WIDTH=186 CLIENT_HEIGHT=318  # the design's client area below the menu bar

# The verdict goes to the case's log and to the console (fd 3).
run_case() {  # name; exits 0 passed, 1 failed, 77 skipped
  CASE=$1 CASE_DIR=$E2E_SCRATCH/$1
  mkdir -p "$CASE_DIR/home"
  # A home of its own: the file dialog remembers its last folder there.
  export HOME=$CASE_DIR/home XDG_CONFIG_HOME=$CASE_DIR/home/.config \
    XDG_CACHE_HOME=$CASE_DIR/home/.cache XDG_DATA_HOME=$CASE_DIR/home/.local/share
  local verdict status=0
  if ! "case_$1"; then
    verdict="FAIL $1: ${REASON:-failed}" status=1
    screenshot "FAIL-$1"
  elif [ -n "$SKIPPED" ]; then
    verdict="SKIP $1 ($SKIPPED)" status=77
  else
    verdict="PASS $1${NOTE:+ ($NOTE)}"
  fi
  printf '%s\n' "$verdict" | tee /dev/fd/3
  exit "$status"
}

# A case for some builds only begins with `only_on TARGET... || return 0`.
only_on() {
  [[ " $* " == *" $E2E_TARGET "* ]] || { SKIPPED="$* only"; return 1; }
}

fail() { REASON=$*; return 1; }
want_eq() { [ "$1" = "$2" ] || fail "$3: got '$1', want '$2'"; }

# The condition of want, wait_for and still: holds when the command prints EXPECTED.
is() {  # expected command...
  local got
  got=$("${@:2}")
  [ "$got" = "$1" ] || fail "got '$got', want '$1'"
}
want() { REASON=; "${@:2}" || fail "$1: $REASON"; }  # what condition...
wait_for() { REASON=; poll "${WAIT:-3}" "${@:2}" || fail "$1: $REASON"; }

# What must NOT happen (a copy, a move, a Notepad start, an exit) gets SETTLE
# seconds to show: longer than a sticky-mode tick (500 ms) and the window
# manager's answer to it; a copy or a start shows within milliseconds.
SETTLE=0.8
still() {  # what condition...: holds throughout SETTLE seconds
  local end=$((${EPOCHREALTIME/./} + $(usecs $SETTLE)))
  until [ "${EPOCHREALTIME/./}" -gt "$end" ]; do
    "${@:2}" || { fail "$1: $REASON"; return 1; }
    sleep 0.05
  done
}

poll() {  # seconds command...: runs the command until it succeeds or time is up
  local end=$((${EPOCHREALTIME/./} + $(usecs "$1")))
  shift
  until "$@"; do
    [ "${EPOCHREALTIME/./}" -lt "$end" ] || return 1
    sleep 0.05
  done
}

usecs() { printf '%.0f' "${1}e6"; }

screenshot() { import -window root "$E2E_OUT/$1.png" 2>/dev/null; }

# --- the program ---------------------------------------------------------------

# Starts the program from the case's install folder APP (made on first use),
# waits for its window and puts a known text on the clipboard.
launch() {  # args...
  [ -n "$APP" ] || APP=$(install_program app)
  start_program "$APP" "$@"
  wait_window && set_clipboard before
}

# The main window: titled exactly "Tovu" (Qt keeps a hidden window named after
# the program), framed by the window manager.
find_main_window() {
  local win
  for win in $(program_windows); do
    [ "$(xprop -id "$win" _NET_WM_NAME 2>/dev/null)" = '_NET_WM_NAME(UTF8_STRING) = "Tovu"' ] &&
      xprop -id "$win" _NET_FRAME_EXTENTS 2>/dev/null | grep -q = && WIN=$win && return 0
  done
  return 1
}

settled() {
  local now
  now=$(frame_geometry)
  [ "$now" = "$_last" ] && return 0
  _last=$now
  sleep 0.1
  return 1
}

# Waits for the main window to be framed, to stop moving (the program puts its
# frame in place once framed) and to take the focus.
wait_window() {
  if ! poll 10 find_main_window; then
    if program_running; then fail "no window \"Tovu\" within 10 s"
    else fail "the program ended before its window appeared (see $E2E_OUT/$CASE-tovu-$STARTS.log)"; fi
    return 1
  fi
  _last=
  poll 3 settled
  activate || fail "the window did not take the focus"
}

activate() {
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1
  poll 2 eval '[ "$(xdotool getwindowfocus 2>/dev/null)" = "$WIN" ]'
}

keys() { xdotool key --delay 40 "$@"; }

# Steps as a user takes them: `click X Y` clicks the client area at X Y below
# the menu bar (the design's origin), `type TEXT` types; any other word is a key.
act() {
  while [ $# -gt 0 ]; do
    case $1 in
      click) xdotool mousemove --window "$WIN" "$2" "$((MENU_BAR + $3))" click 1; shift 3 ;;
      type) xdotool type --delay 15 "$2"; shift 2 ;;
      *) keys "$1"; shift ;;
    esac
  done
}

copies() { act "${@:2}" && wait_for "clipboard after ${*:2}" is "$1" clipboard; }  # text steps...
keeps() {  # steps...: the steps leave the clipboard as it was
  local kept
  kept=$(clipboard)
  act "$@" && still "clipboard after $*" is "$kept" clipboard
}

# The menu bar's height: what the client area holds above the design's height.
menu_bar() {
  local h
  h=$(client_geometry | cut -d' ' -f4)
  MENU_BAR=$((h - CLIENT_HEIGHT))
  [ "$MENU_BAR" -ge 12 ] && [ "$MENU_BAR" -le 40 ] ||
    fail "client height $h leaves $MENU_BAR px for the menu bar above the design's $CLIENT_HEIGHT px"
}

# Popup menus now on screen: the program's mapped windows the window manager
# leaves alone (Qt marks a popup's type only the first time).
popups() {
  local win count=0
  for win in $(program_windows); do
    xwininfo -id "$win" 2>/dev/null | grep -q 'Override Redirect State: yes' && count=$((count + 1))
  done
  echo "$count"
}

# Chooses a menu item by its access keys, as a user does: Alt+letter opens the
# menu, each further letter opens a submenu or picks the item.
menu() {  # menu-letter item-letter...
  local open=1 key
  activate || fail "the window could not be focused" || return 1
  keys "alt+$1"
  shift
  poll 2 eval '[ "$(popups)" -ge 1 ]' || fail "menu did not open" || return 1
  for key in "$@"; do
    keys "$key"
    [ "$key" = "${!#}" ] && break
    open=$((open + 1))
    poll 2 eval "[ \"\$(popups)\" -ge $open ]" || fail "submenu $key did not open" || return 1
  done
  poll 2 eval '[ "$(popups)" -eq 0 ]' || fail "menu stayed open after choosing ${!#}"
}

# Closes the window as the frame's close button does; the program must end
# with status 0.
close_window() {
  activate
  keys alt+F4
  if ! poll 5 eval '! program_running'; then
    kill -KILL "$PROGRAM_PID"
    fail "the program was still running 5 s after the close request"
    return 1
  fi
  wait "$PROGRAM_PID"
  want_eq "$?" 0 "exit status after the close request"
}

running() { program_running && echo yes || echo no; }

# --- what a user sees -------------------------------------------------------------

clipboard() { xclip -o -selection clipboard 2>/dev/null; }

# From another client, which keeps serving it until the program takes over.
set_clipboard() {  # text
  printf '%s' "$1" | xclip -i -selection clipboard >/dev/null 2>&1
  wait_for "text put on the clipboard" is "$1" clipboard
}

client_geometry() {  # as "x y width height" on the screen
  xwininfo -id "$WIN" 2>/dev/null | awk '/Absolute upper-left X:/ { x = $NF }
    /Absolute upper-left Y:/ { y = $NF } /^ *Width:/ { w = $NF } /^ *Height:/ { h = $NF }
    END { if (w != "") print x, y, w, h }'
}

# The frame as the program's own Left, Top, Width and Height see it, in pixels.
frame_geometry() {
  local l r t b x y w h
  read -r l r t b <<<"$(xprop -id "$WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ,)"
  read -r x y w h <<<"$(client_geometry)"
  [ -n "$l" ] && [ -n "$w" ] && echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

frame_xy() { frame_geometry | cut -d' ' -f1-2; }

# The frame as the settings file keeps it: Top Left Height Width in twips.
frame_twips() {
  local x y w h
  read -r x y w h <<<"$(frame_geometry)"
  echo "$((y * 15)) $((x * 15)) $((h * 15)) $((w * 15))"
}

move_frame() {  # x y: puts the frame's top-left corner there
  local l t
  read -r l _ t _ <<<"$(xprop -id "$WIN" _NET_FRAME_EXTENTS | sed -n 's/.*= *//p' | tr -d ,)"
  xdotool windowmove "$WIN" "$(($1 + l))" "$(($2 + t))"
}

moved() { move_frame "$1" "$2" && wait_for "frame moved to $1,$2" is "$1 $2" frame_xy; }  # x y

wm_state() { xprop -id "$WIN" _NET_WM_STATE 2>/dev/null | sed -n 's/.*= *//p'; }
on_top() { [[ $(wm_state) == *_NET_WM_STATE_ABOVE* ]] && echo yes || echo no; }

# --- files -----------------------------------------------------------------------

ini_keys() { tr -d '\r' <"$1" | sed -n 's/^\([^=[]*\)=.*/\1/p' | paste -sd' '; }  # file

ini_values() {  # file key...
  local key values=()
  for key in "${@:2}"; do values+=("$(tr -d '\r' <"$1" | sed -n "s/^$key=//p" | head -n 1)"); done
  echo "${values[*]}"
}

write_ini() {  # file key=value...
  { printf '[Setting]\r\n'; printf '%s\r\n' "${@:2}"; } >"$1"
}

want_notepad_starts() {  # count: exactly so many starts, and no more come
  wait_for "Notepad starts" is "$1" notepad_starts && still "Notepad starts" is "$1" notepad_starts
}

want_notepad_start() {  # n empty|arg TEXT|file PATH
  want "what Notepad start $1 received" is "$(notepad_expect "${@:2}")" notepad_record "$1"
}
