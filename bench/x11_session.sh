# Sourced by the timing scripts: a private X server with a window manager, and
# timed runs of a program under it. Needs xvfb, xauth, openbox and x11-utils.

# start_x_session FOLDER / stop_x_session: the desktop tests' private X
# session (Xvfb with its own cookie, openbox), on a larger screen.
X_SCREEN=1280x1024
source "$(dirname "${BASH_SOURCE[0]}")/../tools/x_session.sh"
X_SESSION_HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")/../tools" && pwd)

# Copies the program and the bare window into their own folders under $2: the
# program with its lists (and on Linux its clipboard keeper), the bare window alone (.exe for a Windows build $1).
# Sets TOVU_COPY and BARE_COPY.
copy_programs() {
  local build=$1 folder=$2 exe=
  [ ! -f "$build/tovu.exe" ] || exe=.exe
  mkdir -p "$folder/tovu" "$folder/bare"
  cp "$build/tovu$exe" "$build"/list[1-4].nl2 "$folder/tovu/"
  [ -n "$exe" ] || cp "$build/tovu-clipboard" "$folder/tovu/"
  cp "$build/bench/bare_window$exe" "$folder/bare/"
  TOVU_COPY="$folder/tovu/tovu$exe"
  BARE_COPY="$folder/bare/bare_window$exe"
}

# One start and close of a program: prints "SHOWN_MS CLOSE_MS CPU_MS RSS_KB".
# A Windows program runs under Wine, in WINE_PREFIX.
timed_run() {
  case $1 in
    *.exe) "$WINWATCH" Tovu "${SETTLE_MS:-500}" -- /bin/bash -c \
             '. "$0" && wine_env "$1" && wine_exec "$2"' "$X_SESSION_HERE/wine.sh" "$WINE_PREFIX" "$1" ;;
    *) QT_QPA_PLATFORM=xcb "$WINWATCH" Tovu "${SETTLE_MS:-500}" -- "$1" ;;
  esac
}

# The median of the numbers on standard input.
median() {
  sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) exit 1; m = int((NR + 1) / 2);
    if (NR % 2) printf "%.1f\n", v[m]; else printf "%.1f\n", (v[m] + v[m + 1]) / 2 }'
}

# One timed run, recorded as "NAME SHOWN_MS CLOSE_MS" in OUT.
record_run() {
  local name=$1 program=$2 out=$3 figures
  figures=$(timed_run "$program") || return 1
  echo "$name $figures" >>"$out"
}

# Tovu's settings file as its first run wrote it, but for a window position no
# window has: every measured start reads a settings file, as every start but
# the first does, and every close has a changed value to write.
stale_settings() {
  sed 's/^Top=.*/Top=1/' "$(dirname "$TOVU_COPY")/tovu.ini"
}

# Runs both programs RUNS times, alternating which goes first, after one
# unmeasured run of each (it fills the page cache and writes Tovu's first
# settings file). Writes "tovu|bare SHOWN_MS CLOSE_MS CPU_MS" lines to $1.
measure_both() {
  local out=$1 runs=${RUNS:-15} i stale settings
  settings="$(dirname "$TOVU_COPY")/tovu.ini"
  timed_run "$TOVU_COPY" >/dev/null || return 1
  timed_run "$BARE_COPY" >/dev/null || return 1
  [ -s "$settings" ] || { echo "tovu wrote no settings file" >&2; return 1; }
  stale="$(dirname "$out")/stale.ini"
  stale_settings >"$stale"
  : >"$out"
  for ((i = 0; i < runs; i++)); do
    cp "$stale" "$settings"
    if ((i % 2 == 0)); then
      record_run tovu "$TOVU_COPY" "$out" && record_run bare "$BARE_COPY" "$out" || return 1
    else
      record_run bare "$BARE_COPY" "$out" && record_run tovu "$TOVU_COPY" "$out" || return 1
    fi
    if cmp -s "$stale" "$settings"; then
      echo "tovu did not write its settings at close" >&2
      return 1
    fi
  done
}

# The median of one column (2: shown, 3: close, 4: CPU, 5: memory) for one program.
column_median() {
  awk -v name="$2" -v col="$3" '$1 == name { print $col }' "$1" | median
}

# Prints one column's runs and medians for both programs; the ratio of the
# medians last, tovu to bare.
print_column() {
  local out=$1 col=$2 what=$3 name
  echo "$what ($(awk '$1 == "tovu"' "$out" | wc -l) runs each):"
  for name in tovu bare; do
    printf '  %-5s median %7s   min %7s   runs: %s\n' "$name" "$(column_median "$out" "$name" "$col")" \
      "$(awk -v n="$name" -v c="$col" '$1 == n { print $c }' "$out" | sort -n | head -n1)" \
      "$(awk -v n="$name" -v c="$col" '$1 == n { printf "%s ", $c }' "$out")"
  done
}

ratio() {
  awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'
}
