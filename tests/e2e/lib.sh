# Helpers for the desktop tests. A case is a function case_NAME in a
# cases_*.sh file; run_all.sh runs each in a shell of its own through
# `run_case NAME`, with DISPLAY, E2E_BUILD, E2E_OUT and E2E_SCRATCH set. A case
# returns 0 to pass, or sets REASON and returns 1; the checks below set REASON
# themselves, so a case chains them with && and `|| return 1`.
set -uo pipefail

# The launcher, launcher-$E2E_TARGET.sh, is all a case knows of the build:
#   check_build DIR       fails, saying why, unless DIR holds a built program
#   install_program NAME  makes CASE_DIR/NAME hold the program and its four lists
#                         (it keeps tovu.ini beside itself); prints the folder
#   start_program DIR ARG...  starts it in the background with ARGs as its
#                         command line, LAUNCH_ENV (NAME=value words) in its
#                         environment, behind LAUNCH_AS (a prefix running it as
#                         another user); PROGRAM_PID: a child of this shell
#                         ending with the program, with its exit status
#   program_running; program_windows (its mapped X windows); native_path PATH
#   fake_notepad DIR, no_notepad DIR  a stand-in editor that records each start
#                         for the program in DIR; no editor at all
#   notepad_starts; notepad_record N  starts recorded; what the Nth received,
#                         to match notepad_expect empty (no file), arg TEXT...
#                         (TEXTs given to start_program) or file PATH (the Unix
#                         path PATH chosen in the open dialog)
#   session_ends; end_session HOW  the ways the session may end the program,
#                         and one of them done
# Under Wine, tovu.exe starts with wine, a Notepad.exe in DIR records its raw
# command line, no_notepad hides Wine's own, native_path is winepath -w, and
# the records wanted are "Notepad", 'Notepad "Z:\tmp\x\a b.htm"' (the
# argument as Windows quotes it) and 'Notepad Z:\tmp\x\e f.htm'.
E2E_TARGET=${E2E_TARGET:-linux}
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$E2E_HERE/launcher-$E2E_TARGET.sh" || return 1
for _file in "$E2E_HERE"/cases_*.sh; do . "$_file"; done

REASON= NOTE= SKIPPED= CASE= CASE_DIR= APP= WIN= PROGRAM_PID= STARTS=0 MENU_BAR=0
LAUNCH_ENV=() LAUNCH_AS=()
CLIENT_HEIGHT=318  # the design's client area below the menu bar, in pixels

# Exits 0 passed, 1 failed (after a screenshot), 77 skipped; the verdict goes
# to the case's log and to the console (fd 3).
run_case() {  # name
  CASE=$1 CASE_DIR=$E2E_SCRATCH/$1
  # A home of its own: the file dialog remembers its last folder there.
  export HOME=$CASE_DIR/home XDG_CONFIG_HOME=$CASE_DIR/home/.config XDG_CACHE_HOME=$CASE_DIR/home/.cache
  mkdir -p "$HOME"
  if ! "case_$1"; then
    import -window root "$E2E_OUT/FAIL-$1.png"
    verdict "FAIL $1: ${REASON:-failed}"
    exit 1
  fi
  [ -z "$SKIPPED" ] || { verdict "SKIP $1 ($SKIPPED)" && exit 77; }
  verdict "PASS $1${NOTE:+ ($NOTE)}"
}
verdict() { echo "$1" && echo "$1" >&3; }

# A case for some builds only begins with `only_on TARGET... || return 0`.
only_on() { [[ " $* " == *" $E2E_TARGET "* ]] || { SKIPPED="$* only" && return 1; }; }

fail() { REASON=$*; return 1; }

# The conditions of want (now), wait_for (within WAIT seconds, default 3) and
# still (throughout SETTLE seconds). `is EXPECTED COMMAND...` holds when the
# command prints EXPECTED.
is() { local got; got=$("${@:2}"); [ "$got" = "$1" ] || fail "got '$got', want '$1'"; }
want() { REASON= && "${@:2}" || fail "$1${REASON:+: $REASON}"; }  # what condition...
wait_for() { REASON= && poll "${WAIT:-3}" "${@:2}" || fail "$1${REASON:+: $REASON}"; }

# What must NOT happen (a copy, a move, a Notepad start, an exit) gets SETTLE
# seconds to show: longer than a sticky-mode tick (500 ms) and the window
# manager's answer to it; a copy or a start shows within milliseconds.
SETTLE=0.8
still() { REASON= && ! poll "$SETTLE" fails "${@:2}" || fail "$1${REASON:+: $REASON}"; }
fails() { ! "$@"; }

poll() {  # seconds command...: runs the command until it succeeds or time is up
  local end
  printf -v end '%.0f' "${1}e6" && end=$((${EPOCHREALTIME/./} + end)) && shift
  until "$@"; do
    [ "${EPOCHREALTIME/./}" -lt "$end" ] || return 1
    sleep 0.05
  done
}

# --- the program ---------------------------------------------------------------

# The case's install folder APP, made on first use.
installed() { [ -n "$APP" ] || APP=$(install_program app); }

# Starts the program, waits for its window, puts a known text on the clipboard.
launch() { installed && start_program "$APP" "$@" && wait_window && set_clipboard before; }  # args...

# The main window: titled exactly "Tovu" (Qt keeps a hidden window named after
# the program), framed by the window manager.
find_main_window() {
  for WIN in $(program_windows); do
    [ "$(xprop -id "$WIN" _NET_WM_NAME 2>/dev/null)" = '_NET_WM_NAME(UTF8_STRING) = "Tovu"' ] &&
      [ -n "$(extents)" ] && return 0
  done
  return 1
}

settled() {
  local now
  now=$(frame_geometry)
  [ "$now" = "$_last" ] || { _last=$now && sleep 0.1 && return 1; }
}

# Waits for the main window to be framed, to stop moving (the program puts its
# frame in place once framed) and to take the focus.
wait_window() {
  poll 10 find_main_window || fail "no window \"Tovu\" within 10 s$(program_running ||
    echo ": the program ended (see $E2E_OUT/$CASE-tovu-$STARTS.log)")" || return 1
  _last=
  poll 3 settled
  activate || fail "the window did not take the focus"
}

activate() {
  xdotool windowactivate --sync "$WIN" >/dev/null 2>&1; poll 2 eval '[ "$(xdotool getwindowfocus)" = "$WIN" ]'
}

keys() { xdotool key --delay 40 "$@"; }

# Steps as a user takes them: `click X Y` (or `ctrl+click X Y`) clicks the
# client area at X Y below the menu bar (the design's origin), `type TEXT`
# types; any other word is a key.
act() {
  while [ $# -gt 0 ]; do
    case $1 in
      click) xdotool mousemove --window "$WIN" "$2" "$((MENU_BAR + $3))" click 1 && shift 3 ;;
      ctrl+click) xdotool mousemove --window "$WIN" "$2" "$((MENU_BAR + $3))" keydown ctrl click 1 keyup ctrl &&
        shift 3 ;;
      type) xdotool type --delay 15 "$2" && shift 2 ;;
      *) keys "$1" && shift ;;
    esac || return 1
  done
}
copies() { act "${@:2}" && wait_for "clipboard after ${*:2}" is "$1" clipboard; }  # text steps...
keeps() { local kept; kept=$(clipboard); act "$@" && still "clipboard after $*" is "$kept" clipboard; }

# The menu bar's height: what the client area holds above the design's height.
menu_bar() {
  local h
  h=$(client_geometry | cut -d' ' -f4)
  MENU_BAR=$((h - CLIENT_HEIGHT))
  [ "$MENU_BAR" -ge 12 ] && [ "$MENU_BAR" -le 40 ] || fail "$MENU_BAR px for the menu bar in a client $h px high"
}

# Popup menus on screen: mapped windows of the program that the window manager
# leaves alone (Qt marks a popup's window type only the first time).
popups() {
  local win
  for win in $(program_windows); do xwininfo -id "$win"; done | grep -c 'Override Redirect State: yes'
}

# Chooses a menu item by access keys as a user does: Alt+letter opens the
# menu, each further letter but the last opens a submenu, the last picks.
menu() {  # menu-letter [submenu-letter...] item-letter
  local open=1 key
  activate && keys "alt+$1" && wait_for "menu Alt+$1 open" eval '[ "$(popups)" -ge 1 ]' || return 1
  for key in "${@:2:$# - 2}"; do
    open=$((open + 1))
    keys "$key" && wait_for "submenu $key open" eval "[ \"\$(popups)\" -ge $open ]" || return 1
  done
  keys "${!#}" && wait_for "menus closed after ${!#}" is 0 popups
}

# Closes the window as the frame's close button does; the program must end
# with status 0. What a case leaves running, run_all.sh ends.
close_window() {
  activate
  keys alt+F4 && wait_for "the program ended after the close request" fails program_running || return 1
  wait "$PROGRAM_PID"
  want "exit status after the close request" is 0 echo $?
}

# --- what a user sees -------------------------------------------------------------

clipboard() { xclip -o -selection clipboard 2>/dev/null; }

# From another client, which keeps serving it until the program takes over.
set_clipboard() {  # text
  printf '%s' "$1" | xclip -i -selection clipboard >/dev/null 2>&1 && wait_for "clipboard set" is "$1" clipboard
}

client_geometry() {  # x y width height, on the screen
  xwininfo -id "$WIN" 2>/dev/null |
    awk '/Absolute upper-left|^ *Width:|^ *Height:/ { printf "%s%s", s, $NF; s = " " } END { print "" }'
}

extents() { xprop -id "$WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ,; }
# The frame around the client window as the program counts it, "left right top
# bottom": the window manager's (a launcher may know better).
declare -F borders >/dev/null || borders() { extents; }

# The frame as the program's Left, Top, Width and Height see it, in pixels.
frame_geometry() {
  local l r t b x y w h
  read -r l r t b <<<"$(borders)"
  read -r x y w h <<<"$(client_geometry)"
  [ -n "$l" ] && [ -n "$w" ] && echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}

frame_xy() { frame_geometry | cut -d' ' -f1-2; }

# The frame as the settings file keeps it: Top Left Height Width in twips.
frame_twips() { frame_geometry | awk '{ print $2 * 15, $1 * 15, $4 * 15, $3 * 15 }'; }

move_frame() { xdotool windowmove "$WIN" $(borders | awk -v x="$1" -v y="$2" '{ print x + $1, y + $3 }'); }
moved() { move_frame "$1" "$2" && wait_for "frame moved to $1,$2" is "$1 $2" frame_xy; }  # x y

on_top() { xprop -id "$WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && echo yes || echo no; }

# --- files and Notepad --------------------------------------------------------------

# The settings file beside the program: values of keys, and a new file.
ini() {  # key...
  local key
  for key in "$@"; do tr -d '\r' <"$APP/tovu.ini" | sed -n "s/^$key=//p" | head -n 1; done | paste -sd' '
}
settings() { installed && { printf '[Setting]\r\n' && printf '%s\r\n' "$@"; } >"$APP/tovu.ini"; }  # key=value...

wait_notepad_starts() { wait_for "Notepad starts" is "$1" notepad_starts; }  # count
want_notepad_starts() { wait_notepad_starts "$1" && still "Notepad starts" is "$1" notepad_starts; }
want_notepad_start() {  # n empty|arg TEXT|file PATH
  want "what Notepad start $1 received" is "$(notepad_expect "${@:2}")" notepad_record "$1"
}
