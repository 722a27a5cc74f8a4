# The Wine environment, sourced by dev.sh, the tests and the benchmarks. wine_env
# PREFIX sets what every Wine program here runs with; wine_run runs one;
# make_wine_prefix PREFIX [LOG] makes the prefix once (about 15 s): Japanese (code
# page 932), quiet, no .NET or HTML engine asked for, and the design's two faces
# drawn with the IPA fonts of the same metrics (Wine would take IPAGothic for both).

wine_env() {  # prefix
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then export LC_ALL=ja_JP.UTF-8; fi
}

# Some hosts run no 32-bit programs at all (IA-32 emulation off): every i386 program,
# Wine's 32-bit loader among them, fails with "Exec format error", yet Debian's wine and
# wineboot still pick that loader. There every Wine call goes through the 64-bit one.
# Asked of a real 32-bit start each time (a few milliseconds); TOVU_WINE64_ONLY=1 makes
# any host act as such a one.
wine_runs_32bit() { [ "${TOVU_WINE64_ONLY:-}" != 1 ] && /usr/lib/wine/wine --version >/dev/null 2>&1; }

# Wine's own programs (wineboot, regedit) with the loader that runs here.
wine_cmd() {
  if wine_runs_32bit; then wine "$@"; else WINELOADER=/usr/lib/wine/wine64 /usr/lib/wine/wine64 "$@"; fi
}

# Runs a Windows program as this same process: a 64-bit one with Wine's 64-bit
# loader (plain wine would start it as another process), a 32-bit one with wine;
# status 77 where a 32-bit program cannot run.
wine_exec() {  # program.exe args...
  local header
  header=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  if [ "$(od -An -t x2 -j $((header + 4)) -N 2 "$1" | tr -d ' ')" = 8664 ] && [ -x /usr/lib/wine/wine64 ]; then
    WINELOADER=/usr/lib/wine/wine64 exec /usr/lib/wine/wine64 "$@"
  fi
  wine_runs_32bit || { echo "not run: $1 is a 32-bit program, and this host runs no 32-bit programs" >&2; exit 77; }
  exec wine "$@"
}

# Runs a Windows program, passing on its output and status: through a file, since a pipe
# from a Wine program stays open while wineserver lives.
wine_run() {  # program.exe args...
  local out status=0
  out=$(mktemp) || return 1
  (wine_exec "$@") >"$out" 2>&1 || status=$?
  cat "$out" && rm -f "$out"
  return "$status"
}

make_wine_prefix() {  # prefix [log]
  [ -f "$1/system.reg" ] && return 0
  mkdir -p "$(dirname "$1")" || return 1
  (
    # One maker at a time (CTest runs tests side by side): a later one finds it made.
    flock 9 || exit 1
    [ ! -f "$1/system.reg" ] || exit 0
    wine_env "$1"
    wine_cmd wineboot -i >"${2:-/dev/null}" 2>&1 || exit 1
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
      '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
      '"ＭＳ Ｐゴシック"="IPAPGothic"' '"ＭＳ ゴシック"="IPAGothic"' '"MS PGothic"="IPAPGothic"' \
      '"MS Gothic"="IPAGothic"' '"MS UI Gothic"="IPAPGothic"' | iconv -f UTF-8 -t UTF-16 >"$1/fonts.reg" &&
      wine_cmd regedit /S "$1/fonts.reg" >>"${2:-/dev/null}" 2>&1
    # The next program starts the prefix's own processes afresh, with its display.
    wineserver -w
  ) 9>"$1.lock"
}
