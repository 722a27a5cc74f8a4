#!/usr/bin/env bash
# Desktop end-to-end tests, each case with a program of its own: run_all.sh BUILD_DIR [CASE...]
# with E2E_TARGET=linux, wine or deb (the Debian package in BUILD_DIR). Screenshots and logs go
# to BUILD_DIR/e2e/.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-}" 2>/dev/null && pwd) && [ -n "${1:-}" ] || { echo "usage: $0 BUILD_DIR [CASE...]" >&2; exit 2; }
shift
[ -f "$here/launcher-${E2E_TARGET:-linux}.sh" ] || { echo "no launcher-$E2E_TARGET.sh" >&2; exit 2; }
. "$here/lib.sh"
check_build "$build" >&2 || exit 2
for tool in Xvfb xauth openbox xdotool xclip xprop xwininfo xdpyinfo xsetroot xrdb xmessage import identify setpriv wmctrl \
  xfce4-clipman python3 orca; do
  command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2 && exit 2; }
done
all=$(sed -n 's/^case_\([a-z0-9_]*\)() {.*/\1/p' "$here"/cases_*.sh) cases=("$@")
[ $# -gt 0 ] || mapfile -t cases <<<"$all"
for name in "${cases[@]}"; do grep -qx -- "$name" <<<"$all" || { echo "no case '$name'; the cases are:" $all >&2; exit 2; }; done

started=$(date +%s) out=$build/e2e${E2E_DESKTOP:+-$E2E_DESKTOP} group=
rm -rf "$out" && mkdir -p "$out" && scratch=$(mktemp -d "${TMPDIR:-/tmp}/tovu-e2e.XXXXXX") || exit 2
chmod 755 "$scratch"  # the runs as another user reach their copy of the program
. "$here/../../tools/x_session.sh"
cleanup() {
  [ -z "$group" ] || kill -KILL -- "-$group" 2>/dev/null
  ! declare -F launcher_cleanup >/dev/null || launcher_cleanup
  stop_x_session && chmod -R u+rwX "$scratch" 2>/dev/null; rm -rf "$scratch"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
# Xvfb and openbox, unless the cases run on another desktop (gnome.sh).
[ -n "${E2E_DESKTOP:-}" ] || start_x_session "$scratch/session" "$out" || { echo "FAIL setup (see $out/*.log)"; exit 1; }
# The program sees X11 whatever the desktop around, and no scaling of its own.
export LANG=C.UTF-8 E2E_BUILD=$build E2E_OUT=$out E2E_SCRATCH=$scratch
unset LC_ALL LANGUAGE QT_QPA_PLATFORM WAYLAND_DISPLAY SESSION_MANAGER QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS
! declare -F launcher_setup >/dev/null || launcher_setup || { echo "FAIL setup of the $E2E_TARGET launcher"; exit 1; }

passed=0 failed=0 skipped=0
for name in "${cases[@]}"; do
  # timeout gives the case a process group: what it leaves running ends with it.
  timeout -k 5 "${E2E_CASE_SECONDS:=60}" bash -c '. "$1/lib.sh" && run_case "$2"' _ "$here" "$name" 3>&1 >"$out/$name.log" 2>&1 </dev/null &
  group=$! && wait "$group"; status=$?
  case $status in
    0) passed=$((passed + 1)) ;;
    77) skipped=$((skipped + 1)) ;;
    *) failed=$((failed + 1))  # a case that fails says why itself; one that is killed cannot
       [ $status -eq 1 ] || { import -window root "$out/FAIL-$name.png"; echo "FAIL $name: status $status$(
         [ $status -ne 124 ] || echo ", timed out after $E2E_CASE_SECONDS s") (see $out/$name.log)"; } ;;
  esac
  kill -KILL -- "-$group" 2>/dev/null
  # What a failed case left (Wine's server with a half-ended program) must not fail the next ones.
  [ $status -eq 0 ] || [ $status -eq 77 ] || ! declare -F launcher_cleanup >/dev/null || launcher_cleanup
  group= && xrdb -remove 2>/dev/null  # a case may have set the screen's resolution
done
echo "e2e: $passed passed, $failed failed, $skipped skipped in $(($(date +%s) - started)) s; screenshots and logs in $out"
[ "$failed" -eq 0 ]
