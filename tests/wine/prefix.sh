# Wine for the tests and the benchmarks, sourced. wine_env PREFIX sets what
# every Wine program here runs with; make_wine_prefix PREFIX [LOG] makes the
# prefix once (about 15 s): Japanese (code page 932), quiet, no .NET or HTML
# engine asked for, and the design's two faces drawn with the IPA fonts of the
# same metrics (Wine would take IPAGothic for both).

wine_env() {  # prefix
  export WINEPREFIX=$1 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  if locale -a 2>/dev/null | grep -qix 'ja_JP.utf-\?8'; then export LC_ALL=ja_JP.UTF-8; fi
}

# Runs a Windows program as this same process: a 64-bit one with Wine's 64-bit
# loader (plain wine would start it as another process), a 32-bit one with wine.
wine_exec() {  # program.exe args...
  local header
  header=$(od -An -t u4 -j 60 -N 4 "$1" | tr -d ' ')
  if [ "$(od -An -t x2 -j $((header + 4)) -N 2 "$1" | tr -d ' ')" = 8664 ] && [ -x /usr/lib/wine/wine64 ]; then
    WINELOADER=/usr/lib/wine/wine64 exec /usr/lib/wine/wine64 "$@"
  fi
  exec wine "$@"
}

make_wine_prefix() {  # prefix [log]
  [ -f "$1/system.reg" ] && return 0
  (
    wine_env "$1"
    wineboot -i >"${2:-/dev/null}" 2>&1 || exit 1
    printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
      '[HKEY_CURRENT_USER\Software\Wine\Fonts\Replacements]' \
      '"ＭＳ Ｐゴシック"="IPAPGothic"' '"ＭＳ ゴシック"="IPAGothic"' '"MS PGothic"="IPAPGothic"' \
      '"MS Gothic"="IPAGothic"' '"MS UI Gothic"="IPAPGothic"' | iconv -f UTF-8 -t UTF-16 >"$1/fonts.reg" &&
      wine regedit /S "$1/fonts.reg" >>"${2:-/dev/null}" 2>&1
    # The next program starts the prefix's own processes afresh, with its display.
    wineserver -w
  )
}
