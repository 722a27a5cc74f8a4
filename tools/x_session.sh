# Sourced by the desktop tests and the benchmarks: start_x_session FOLDER [LOG_FOLDER] starts
# Xvfb (X_SCREEN, 1024x768) with a cookie of its own and openbox; it exports DISPLAY, XAUTHORITY.
# With X_MONITORS=2 the server is Xorg's dummy driver instead (root only), with two 1024x768
# monitors side by side, the primary on the left: Xvfb cannot show two.
X_SESSION_PIDS=()
X_SESSION_RC=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/openbox-rc.xml
x_session_wait() { local _; for _ in $(seq 100); do "$@" >/dev/null 2>&1 && return 0; sleep 0.05; done; return 1; }

start_x_session() {
  local folder=$1 xlog=/dev/null wmlog=/dev/null number cookie pid=
  [ -z "${2:-}" ] || { xlog=$2/xvfb.log; wmlog=$2/openbox.log; }
  mkdir -m 700 -p "$folder/x" "$folder/runtime"
  export XAUTHORITY=$folder/x/Xauthority XDG_RUNTIME_DIR=$folder/runtime
  cookie=$(od -An -N16 -tx1 /dev/urandom | tr -d ' \n')
  for number in $(seq 90 189); do
    # A number is taken while its server lives; a killed server's lock is no one's (the next server takes it over).
    [ -e "/tmp/.X$number-lock" ] && [ -d "/proc/$(tr -dc 0-9 <"/tmp/.X$number-lock" 2>/dev/null)" ] && continue
    : >"$XAUTHORITY" && xauth -q -f "$XAUTHORITY" add ":$number" . "$cookie"
    if [ "${X_MONITORS:-1}" = 2 ]; then
      x_dummy_config >"$folder/x/xorg.conf"
      Xorg ":$number" -noreset -nolisten tcp -auth "$XAUTHORITY" -config "$folder/x/xorg.conf" \
        -logfile "$folder/x/xorg.log" >"$xlog" 2>&1 &
    else
      Xvfb ":$number" -screen 0 "${X_SCREEN:-1024x768}x24" -nolisten tcp -noreset -auth "$XAUTHORITY" >"$xlog" 2>&1 &
    fi
    pid=$!
    # Another session may have taken the number meanwhile: then this server ends.
    x_session_wait eval "kill -0 $pid && DISPLAY=:$number xdpyinfo" && break
    { kill "$pid" && wait "$pid"; } 2>/dev/null || true
    pid=
  done
  [ -n "$pid" ] || { echo "no X server could be started" >&2; return 1; }
  export DISPLAY=:$number
  # A full query after the change: Wine asks only for the server's current answer.
  [ "${X_MONITORS:-1}" != 2 ] || { xrandr --addmode DUMMY1 1024x768 &&
    xrandr --output DUMMY1 --mode 1024x768 --right-of DUMMY0 && xrandr; } >>"$xlog" 2>&1 || return 1
  openbox --sm-disable --config-file "$X_SESSION_RC" >"$wmlog" 2>&1 &
  X_SESSION_PIDS+=("$pid" $!)
  x_session_wait eval 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' ||
    { echo "openbox did not start" >&2; return 1; }
  xsetroot -solid '#5a7a9a'
}

x_dummy_config() {
  printf '%s\n' 'Section "Device"' ' Identifier "dummy"' ' Driver "dummy"' ' VideoRam 256000' 'EndSection' \
    'Section "Monitor"' ' Identifier "monitor"' ' HorizSync 5.0-1000.0' ' VertRefresh 5.0-200.0' 'EndSection' \
    'Section "Screen"' ' Identifier "screen"' ' Device "dummy"' ' Monitor "monitor"' ' DefaultDepth 24' \
    ' SubSection "Display"' '  Depth 24' '  Virtual 2048 768' '  Modes "1024x768"' ' EndSubSection' 'EndSection'
}

stop_x_session() {
  [ ${#X_SESSION_PIDS[@]} -eq 0 ] || { kill "${X_SESSION_PIDS[@]}"; wait "${X_SESSION_PIDS[@]}"; } 2>/dev/null || true
  X_SESSION_PIDS=()
}
