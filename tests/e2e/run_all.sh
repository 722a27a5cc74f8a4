#!/usr/bin/env bash
# Desktop end-to-end tests: the real program on a private X server with a
# window manager, driven and checked through the keyboard, the clipboard and
# the window manager's view of its window.
#   tests/e2e/run_all.sh BUILD_DIR
# Screenshots and logs go to BUILD_DIR/e2e/. Exits non-zero when a test fails.
set -uo pipefail

if [ $# -ne 1 ]; then
  echo "usage: $0 BUILD_DIR" >&2
  exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "$1" 2>/dev/null && pwd) || { echo "no build folder: $1" >&2; exit 2; }
for file in tovu list1.nl2 list2.nl2 list3.nl2 list4.nl2; do
  [ -f "$build/$file" ] || { echo "missing $build/$file (build first)" >&2; exit 2; }
done
for tool in Xvfb xauth openbox xdotool xclip xprop xwininfo xdpyinfo xsetroot xrdb xmessage import identify timeout setpriv; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 2; }
done

started=$(date +%s)
out=$build/e2e
rm -rf "$out"
mkdir -p "$out"
scratch=$(mktemp -d "${TMPDIR:-/tmp}/tovu-e2e.XXXXXX")
# The run as another user must reach its copy of the program and the display.
chmod 755 "$scratch"
mkdir -m 700 "$scratch/x" "$scratch/home" "$scratch/runtime"
: > "$scratch/pids"

# Programs the tests started and left running (a group that timed out); a pid
# is only killed while it still runs a program from this run's scratch folder.
kill_leftovers() {
  local pid exe
  while read -r pid; do
    [ -n "$pid" ] || continue
    exe=$(readlink "/proc/$pid/exe" 2>/dev/null) || continue
    case "$exe" in "$scratch"/*) kill -KILL "$pid" 2>/dev/null ;; esac
  done < "$scratch/pids"
}

xvfb_pid=
wm_pid=
group_pid=
cleanup() {
  # timeout passes the signal on to the group's script and what it started.
  if [ -n "$group_pid" ]; then
    kill "$group_pid" 2>/dev/null
    wait "$group_pid" 2>/dev/null
  fi
  kill_leftovers
  [ -n "$wm_pid" ] && kill "$wm_pid" 2>/dev/null
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
  fi
  # A folder the tests made read-only must be writable again to be removed.
  chmod -R u+rwX "$scratch" 2>/dev/null
  rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM

# A private display: the first free number, reached only with this run's cookie.
export XAUTHORITY=$scratch/x/Xauthority
cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
display=
for number in $(seq 90 189); do
  [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ] && continue
  : > "$XAUTHORITY"
  xauth -q -f "$XAUTHORITY" add ":$number" . "$cookie"
  Xvfb ":$number" -screen 0 1024x768x24 -nolisten tcp -noreset -auth "$XAUTHORITY" >"$out/xvfb.log" 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 100); do
    if DISPLAY=:$number xdpyinfo >/dev/null 2>&1; then display=:$number; break; fi
    kill -0 "$xvfb_pid" 2>/dev/null || break
    sleep 0.05
  done
  [ -n "$display" ] && break
  kill "$xvfb_pid" 2>/dev/null
  wait "$xvfb_pid" 2>/dev/null
  xvfb_pid=
done
if [ -z "$display" ]; then
  echo "FAIL setup: no X server could be started (see $out/xvfb.log)"
  exit 1
fi
export DISPLAY=$display

# The program sees a clean desktop session: no earlier run's toolkit state
# (the file dialog remembers its folder), X11 whatever the desktop around.
export HOME=$scratch/home XDG_CONFIG_HOME=$scratch/home/.config XDG_CACHE_HOME=$scratch/home/.cache
export XDG_DATA_HOME=$scratch/home/.local/share XDG_RUNTIME_DIR=$scratch/runtime
export LANG=C.UTF-8
unset LC_ALL LANGUAGE QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

openbox --config-file "$here/openbox-rc.xml" >"$out/openbox.log" 2>&1 &
wm_pid=$!
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.05
done
if ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'; then
  echo "FAIL setup: openbox did not start (see $out/openbox.log)"
  exit 1
fi
xsetroot -solid '#5a7a9a'

export E2E_BUILD=$build E2E_OUT=$out E2E_SCRATCH=$scratch E2E_PIDS=$scratch/pids

passed=0
failed=0
# The spine first: when it fails, the rest can only repeat its failure.
scripts=("$here/test_spine.sh" "$here/test_copy_modes.sh" "$here/test_settings_notepad.sh")
for script in "$here"/test_*.sh; do
  case " ${scripts[*]} " in *" $script "*) ;; *) scripts+=("$script") ;; esac
done
for script in "${scripts[@]}"; do
  group=$(basename "$script" .sh)
  group=${group#test_}
  log=$out/$group.log
  export E2E_RESULTS=$scratch/results-$group
  : >"$E2E_RESULTS"
  # Each group's result lines go to the console; everything else to its log.
  # In the background, so that an interrupt reaches the trap at once.
  timeout -k 5 120 bash "$script" 3>&1 >"$log" 2>&1 &
  group_pid=$!
  wait "$group_pid"
  status=$?
  group_pid=
  kill_leftovers
  lines=$(grep -E '^(PASS|FAIL) ' "$E2E_RESULTS" || true)
  if [ -n "$lines" ]; then
    passed=$((passed + $(grep -c '^PASS ' <<<"$lines")))
    failed=$((failed + $(grep -c '^FAIL ' <<<"$lines")))
  fi
  if [ "$status" -ne 0 ] && ! grep -q '^FAIL ' <<<"$lines"; then
    reason="exited with status $status"
    [ "$status" -eq 124 ] && reason="timed out after 120 s"
    echo "FAIL $group: $reason (see $log)"
    failed=$((failed + 1))
  fi
done

elapsed=$(($(date +%s) - started))
echo "e2e: $passed passed, $failed failed in $elapsed s; screenshots and logs in $out"
[ "$failed" -eq 0 ]
