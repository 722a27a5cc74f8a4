# A private X session for the desktop tests and the benchmarks: Xvfb on the
# first free display, reached only with this session's own cookie, and openbox
# with openbox-rc.xml beside this file. Sourced; needs xvfb, xauth, openbox and
# x11-utils. start_x_session FOLDER [LOG_FOLDER] exports DISPLAY, and XAUTHORITY
# and XDG_RUNTIME_DIR under FOLDER; X_SCREEN sets the size (default 1024x768).

X_SESSION_PIDS=()
X_SESSION_RC=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/openbox-rc.xml

# Runs a command until it succeeds, for at most five seconds.
x_session_wait() {
  local _
  for _ in $(seq 100); do
    "$@" >/dev/null 2>&1 && return 0
    sleep 0.05
  done
  return 1
}

start_x_session() {
  local folder=$1 xlog=/dev/null wmlog=/dev/null number cookie pid=
  [ -z "${2:-}" ] || { xlog=$2/xvfb.log; wmlog=$2/openbox.log; }
  mkdir -m 700 -p "$folder/x" "$folder/runtime"
  export XAUTHORITY=$folder/x/Xauthority XDG_RUNTIME_DIR=$folder/runtime
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  for number in $(seq 90 189); do
    { [ -e "/tmp/.X$number-lock" ] || [ -e "/tmp/.X11-unix/X$number" ]; } && continue
    : >"$XAUTHORITY"
    xauth -q -f "$XAUTHORITY" add ":$number" . "$cookie"
    Xvfb ":$number" -screen 0 "${X_SCREEN:-1024x768}x24" -nolisten tcp -noreset -auth "$XAUTHORITY" >"$xlog" 2>&1 &
    pid=$!
    # Another session may have taken the number meanwhile: then this server ends.
    x_session_wait eval "kill -0 $pid && DISPLAY=:$number xdpyinfo" && break
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
  done
  [ -n "$pid" ] || { echo "no X server could be started" >&2; return 1; }
  export DISPLAY=:$number
  X_SESSION_PIDS+=("$pid")
  openbox --sm-disable --config-file "$X_SESSION_RC" >"$wmlog" 2>&1 &
  X_SESSION_PIDS+=($!)
  # Ready once it has announced itself on the root window.
  x_session_wait eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "openbox did not start" >&2; return 1; }
  xsetroot -solid '#5a7a9a'
}

stop_x_session() {
  [ ${#X_SESSION_PIDS[@]} -eq 0 ] || { kill "${X_SESSION_PIDS[@]}"; wait "${X_SESSION_PIDS[@]}"; } 2>/dev/null || true
  X_SESSION_PIDS=()
}
