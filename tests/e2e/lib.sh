# Helpers of the desktop tests. A case, case_NAME in cases_*.sh, runs in a shell of
# its own (run_case NAME) and returns 0, or 1 with REASON set, which the checks
# below set, so a case chains them with && and `|| return 1`. All it knows of the
# build is its launcher, launcher-$E2E_TARGET.sh (the functions it defines).
set -uo pipefail
E2E_TARGET=${E2E_TARGET:-linux}
E2E_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
. "$E2E_HERE/launcher-$E2E_TARGET.sh" || return 1
for _file in "$E2E_HERE"/cases_*.sh; do . "$_file"; done
REASON= NOTE= SKIPPED= CASE= CASE_DIR= APP= WIN= PROGRAM_PID= STARTS=0 MENU_BAR=0 LAUNCH_ENV=() LAUNCH_AS=()
CLIENT_HEIGHT=318  # the design's client area below the menu bar, in pixels
KEYS="QuickCopy TopPos PasteMode UpMemo ModeSave WinPosSave Top Left Height Width" GEOMETRY="Top Left Height Width" SETTLE=0.8

# Exits 0, 1 (with a screenshot) or 77 (skipped); the verdict also goes to fd 3, the console.
run_case() {  # name
  CASE=$1 CASE_DIR=$E2E_SCRATCH/$1 && mkdir -p "$E2E_SCRATCH/$1/home"
  export HOME=$CASE_DIR/home XDG_CONFIG_HOME=$CASE_DIR/home/.config XDG_CACHE_HOME=$CASE_DIR/home/.cache
  "case_$1" || { import -window root "$E2E_OUT/FAIL-$1.png"; verdict "FAIL $1: ${REASON:-failed}"; exit 1; }
  [ -z "$SKIPPED" ] || { verdict "SKIP $1 ($SKIPPED)" && exit 77; }
  verdict "PASS $1${NOTE:+ ($NOTE)}"
}
verdict() { echo "$1" && echo "$1" >&3; }
only_on() { [[ " $* " == *" $E2E_TARGET "* || " $* " == *" ${E2E_DESKTOP:-} "* ]] || { SKIPPED="$* only" && return 1; }; }
fail() { REASON=$*; return 1; }

# want WHAT COMMAND... now, wait_for within WAIT (3) seconds, still throughout SETTLE
# seconds (a sticky-mode tick and the window manager's answer); is EXPECTED COMMAND...
is() { local got; got=$("${@:2}"); [ "$got" = "$1" ] || fail "got '$got', want '$1'"; }
want() { REASON= && "${@:2}" || fail "$1${REASON:+: $REASON}"; }
wait_for() { REASON= && poll "${WAIT:-3}" "${@:2}" || fail "$1${REASON:+: $REASON}"; }
still() { REASON= && ! poll "$SETTLE" fails "${@:2}" || fail "$1${REASON:+: $REASON}"; }
fails() { ! "$@"; }
poll() {  # seconds command...
  local end
  printf -v end '%.0f' "${1}e6" && end=$((${EPOCHREALTIME/./} + end)) && shift
  until "$@"; do [ "${EPOCHREALTIME/./}" -lt "$end" ] || return 1; sleep 0.05; done
}

check_build() {
  local f; for f in $BUILT; do compgen -G "$1/$f" >/dev/null || { echo "missing $1/$f (build first)"; return 1; }; done
}
program_running() { [ "$(awk '{ print $3 }' "/proc/$PROGRAM_PID/stat" 2>/dev/null || echo Z)" != Z ]; }
program_windows() { xdotool search --onlyvisible --pid "$PROGRAM_PID" 2>/dev/null; }
installed() { [ -n "$APP" ] || APP=$(install_program app); }
launch() { installed && start_program "$APP" "$@" && wait_window && set_clipboard before; }
# The main window, titled exactly "Tovu", framed; it settles and takes the focus.
find_main_window() {
  for WIN in $(program_windows); do [ "$(xprop -id "$WIN" _NET_WM_NAME 2>/dev/null)" = \
    '_NET_WM_NAME(UTF8_STRING) = "Tovu"' ] && [ -n "$(extents)" ] && return 0; done; return 1
}
settled() { local now; now=$(frame_geometry); [ "$now" = "$_last" ] || { _last=$now && sleep 0.1 && return 1; }; }
wait_window() {
  poll 10 find_main_window || fail "no window \"Tovu\" within 10 s$(program_running ||
    echo ": the program ended (see $E2E_OUT/$CASE-tovu-$STARTS.log)")" || return 1
  _last= && poll 3 settled
  activate || fail "the window did not take the focus"
}
activate() { xdotool windowactivate --sync "$WIN" >/dev/null 2>&1; poll 2 eval '[ "$(xdotool getwindowfocus)" = "$WIN" ]'; }
keys() { xdotool key --delay 40 "$@"; }

# Steps: [ctrl+]click X Y (in the client area below the menu bar), type TEXT, or a key.
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
copy_table() { local text steps; while read -r text steps; do copies "$text" $steps || return 1; done; }  # stdin
menu_bar() {  # its height: what the client area holds above the design's
  local h; h=$(client_geometry | cut -d' ' -f4) && MENU_BAR=$((h - CLIENT_HEIGHT))
  [ "$MENU_BAR" -ge 12 ] && [ "$MENU_BAR" -le 40 ] || fail "$MENU_BAR px for the menu bar in a client $h px high"
}
# Popups: mapped windows of the program the window manager leaves alone.
popups() { local w; for w in $(program_windows); do xwininfo -id "$w"; done | grep -c 'Override Redirect State: yes'; }
# A menu item by access keys: Alt+letter opens the menu, each further letter but the last a submenu.
menu() {  # menu-letter [submenu-letter...] item-letter
  local open=0 key
  activate || return 1
  for key in "alt+$1" "${@:2:$# - 2}"; do
    open=$((open + 1)) && keys "$key" && wait_for "menu $key open" eval "[ \"\$(popups)\" -ge $open ]" || return 1
  done
  keys "${!#}" && wait_for "menus closed after ${!#}" is 0 popups
}
close_window() { activate; keys alt+F4 && ended "the close request"; }
ended() { wait_for "the program ended after $1" fails program_running && wait "$PROGRAM_PID"; want "exit status after $1" is 0 echo $?; }

clipboard() { xclip -o -selection clipboard 2>/dev/null; }
set_clipboard() { printf '%s' "$1" | xclip -i -selection clipboard >/dev/null 2>&1 && wait_for "clipboard set" is "$1" clipboard; }
keepers() { local p; for p in $(pgrep -x tovu-clipboard); do readlink "/proc/$p/exe"; done | grep -cxF "$APP/tovu-clipboard"; }
selection_owned() {  # name
  python3 -c 'import ctypes as c, sys; x = c.CDLL("libX11.so.6"); x.XOpenDisplay.restype = c.c_void_p
x.XInternAtom.argtypes = [c.c_void_p, c.c_char_p, c.c_int]; x.XGetSelectionOwner.argtypes = [c.c_void_p, c.c_ulong]
d = x.XOpenDisplay(None); sys.exit(not x.XGetSelectionOwner(d, x.XInternAtom(d, sys.argv[1].encode(), 0)))' "$1"
}
client_geometry() {  # x y width height
  xwininfo -id "$WIN" 2>/dev/null | awk '/Absolute upper-left|^ *Width:|^ *Height:/ { printf "%s%s", s, $NF; s = " " }'
}
extents() { xprop -id "$WIN" _NET_FRAME_EXTENTS 2>/dev/null | sed -n 's/.*= *//p' | tr -d ,; }
# The frame the program counts (left right top bottom): the window manager's unless the launcher knows better.
declare -F borders >/dev/null || borders() { extents; }
# The frame as the program's Left Top Width Height see it, in pixels; as the settings keep it, in twips.
frame_geometry() {
  local l r t b x y w h
  read -r l r t b <<<"$(borders)" && read -r x y w h <<<"$(client_geometry)"
  [ -n "$l" ] && [ -n "$w" ] && echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
frame_xy() { frame_geometry | cut -d' ' -f1-2; }
frame_twips() { frame_geometry | awk '{ print $2 * 15, $1 * 15, $4 * 15, $3 * 15 }'; }
move_frame() { xdotool windowmove "$WIN" $(borders | awk -v x="$1" -v y="$2" '{ print x + $1, y + $3 }'); }
moved() { move_frame "$1" "$2" && wait_for "frame moved to $1,$2" is "$1 $2" frame_xy; }  # x y
on_top() { xprop -id "$WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_ABOVE && echo yes || echo no; }
maximised() { xprop -id "$WIN" _NET_WM_STATE | grep -q _NET_WM_STATE_MAXIMIZED_VERT; }

# The settings file's values of keys: the one beside the program, or INI.
ini() { local key; for key in "$@"; do tr -d '\r' <"${INI:-$APP/tovu.ini}" | sed -n "s/^$key=//p" | head -n 1; done | paste -sd' '; }
ini_lines() { tr -d '\r' <"$APP/tovu.ini" | sed 's/=.*//' | paste -sd' '; }
settings() { installed && { printf '[Setting]\r\n' && printf '%s\r\n' "$@"; } >"$APP/tovu.ini"; }  # key=value...
saved_position() {  # top left height width, the modes off
  settings QuickCopy=False TopPos=False PasteMode=False UpMemo=False ModeSave=False WinPosSave=True \
    Top="$1" Left="$2" Height="$3" Width="$4"
}
notepad_starts() { starts | wc -l; }
notepad_record() { local r; r=$(starts | sed -n "$1p"); if [ -n "$r" ]; then cat "$r"; else echo "(no start $1)"; fi; }
wait_notepad_starts() { wait_for "Notepad starts" is "$1" notepad_starts; }  # count
want_notepad_starts() { wait_notepad_starts "$1" && still "Notepad starts" is "$1" notepad_starts; }
want_notepad_start() { want "what Notepad start $1 received" is "$(notepad_expect "${@:2}")" notepad_record "$1"; }

# On GNOME's compositor a person's hands are its own remote-desktop devices (gnome.sh): keys, and a window
# moved by its title bar, from a point on it to the same point of the frame at x,y.
if [ "${E2E_DESKTOP:-}" = mutter ]; then
  hands() { echo "$*" >"$E2E_HANDS.in" && read -r _ <"$E2E_HANDS.out"; }
  keys() { hands key "$@"; }
  move_frame() { local t x y; read -r _ _ t _ <<<"$(borders)" && read -r x y _ <<<"$(frame_geometry)" &&
    hands drag $((x + 60)) $((y + t / 2)) $(($1 + 60)) $(($2 + t / 2)); }
fi
