#!/usr/bin/env bash
# The desktop cases on GNOME's compositor: gnome.sh BUILD_DIR [CASE...] runs them through run_all.sh on
# mutter, headless, with one 1280 x 800 monitor and Xwayland; a person's keyboard and pointer are mutter's
# own remote-desktop devices (gnome_hands.py). Mutter chooses its X display itself, so it runs in mount and
# network namespaces of its own, with X sockets, a home and a session bus of its own. Exits 77, saying why, where
# the host cannot run it.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
case ${E2E_GNOME_STAGE:-} in
  "")
    for tool in mutter Xwayland pipewire wireplumber dbus-run-session gsettings; do
      command -v "$tool" >/dev/null || { echo "there is no $tool"; exit 77; }
    done
    /usr/bin/python3 -c 'import dbus, gi' 2>/dev/null || { echo "there is no python3-dbus or python3-gi"; exit 77; }
    namespaces=(-m -n) && { [ "$(id -u)" -eq 0 ] || namespaces+=(-r); }
    unshare "${namespaces[@]}" true 2>/dev/null || { echo "this host makes no mount and network namespaces"; exit 77; }
    [ $# -gt 1 ] ||
      set -- "$1" always_on_top sticky_mode saved_geometry_round_trip clipboard_after_the_exit native_wayland
    build=$(cd "$1" && pwd) && private=$(mktemp -d) && mkdir -m 700 "$private/home" "$private/run" || exit 1
    E2E_GNOME_STAGE=namespaces E2E_GNOME=$private unshare "${namespaces[@]}" "$0" "$build" "${@:2}"
    status=$? && rm -rf "$private" && exit $status ;;
  namespaces)  # the session's own output to a log, the cases' to the console (3)
    # X sockets of its own (a folder of the build may lie in /tmp, which stays); its abstract ones are the
    # network namespace's.
    mkdir -p -m 1777 /tmp/.X11-unix && mount -t tmpfs -o mode=1777 tmpfs /tmp/.X11-unix &&
      HOME=$E2E_GNOME/home XDG_RUNTIME_DIR=$E2E_GNOME/run E2E_GNOME_STAGE=session exec dbus-run-session -- \
      "$0" "$@" 3>&1 >"$1/gnome-session.log" 2>&1 ;;
  session)
    gsettings set org.gnome.desktop.peripherals.keyboard repeat false  # a late release on a busy host repeats
    pipewire & wireplumber &
    # Whatever happens, never longer than the cases could take.
    E2E_GNOME_STAGE=desktop timeout -k 10 900 mutter --headless --wayland --virtual-monitor 1280x800 \
      --wayland-display tovu-e2e -- "$0" "$@" >&3
    kill %1 %2 && exit "$(cat "$E2E_GNOME/status" 2>/dev/null || echo 1)" ;;
  desktop)
    mkfifo "$E2E_GNOME/hands.in" "$E2E_GNOME/hands.out" || exit 1
    /usr/bin/python3 "$here/gnome_hands.py" "$E2E_GNOME/hands.in" "$E2E_GNOME/hands.out" &
    E2E_DESKTOP=mutter E2E_WAYLAND=$WAYLAND_DISPLAY E2E_HANDS=$E2E_GNOME/hands E2E_CASE_SECONDS=120 \
      "$here/run_all.sh" "$@" 2>&1
    echo $? >"$E2E_GNOME/status" && kill $! && wait $! ;;
esac
