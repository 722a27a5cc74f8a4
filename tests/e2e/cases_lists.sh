client_width() { client_geometry | cut -d' ' -f3; }

# A fresh window wholly on the screen; Down, or Home, selects the first entry; Ctrl+click and Ctrl+Space keep
# the selection.
# A typed letter picks the next entry it begins, in either case, also after a symbol and a blank, around the
# end (on Windows Alt+C leaves the focus on Copy: a click brings it back); Ctrl+S and Ctrl+A belong to the
# window, not the code box (120,30); no two clicks in one place.
case_first_entry() {
  launch && want "client width" is 186 client_width && menu_bar || return 1
  local x y w h m=24
  read -r x y w h <<<"$(extents | awk -v g="$(client_geometry)" '{ split(g, c, " ");
    print c[1] - $1, c[2] - $3, c[3] + $1 + $2, c[4] + $3 + $4 }')"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1024 ] && [ $((y + h)) -le 768 ] ||
    fail "frame $w x $h at $x,$y is not wholly on the 1024 x 768 screen" || return 1
  copies '&Alpha;' Down alt+c && act ctrl+g && copies '&Alpha;' Home alt+c && copies '&Beta;' click 30 21 alt+c &&
    act ctrl+click 30 21 ctrl+space && copies '&Gamma;' Down alt+c &&
    import -window root -crop "$((w + 2 * m))x$((h + 2 * m))+$((x > m ? x - m : 0))+$((y > m ? y - m : 0))" \
      +repage "$E2E_OUT/tovu.png" &&
    want "colours in tovu.png" eval '[ "$(identify -format %k "$E2E_OUT/tovu.png")" -ge 16 ]' || return 1
  copy_table <<'ROWS' || return 1
&pound; click 30 34 ctrl+i p alt+c
&plusmn; click 30 8 p P P p p alt+c
&alpha; ctrl+g click 30 21 a q alt+c
&fnof;  click 110 121 click 30 8 alt+c
&amp;   click 120 30 ctrl+s click 30 21 alt+c
&fnof;  click 120 30 ctrl+a click 30 8 alt+c
&hello; click 120 30 End shift+Home type &hello; alt+c
ROWS
  xdotool windowsize "$WIN" 400 $((CLIENT_HEIGHT + 150)) && wait_for "client width after the resize" is 400 client_width &&
    copies '&bull;' ctrl+a click 150 21 click 230 64 &&
    act ctrl+g && menu s q && keeps && copies '&Alpha;' click 30 8 && copies '&Beta;' Down && set_clipboard after &&
    keeps ctrl+g && copies '&Alpha;' Down && set_clipboard mine && keeps alt+c && menu s q &&
    set_clipboard "mine again" && keeps Down && copies '&Beta;' alt+c && close_window
}

# Copy with nothing in the code box keeps the clipboard (on Windows it takes the focus). A click
# below the two entries of the last list does not empty the selection: Down reaches the second.
case_damaged_lists() {
  installed && rm "$APP/list2.nl2" && : >"$APP/list3.nl2" &&
    printf 'a\x81,\xff\x00b\r\n\x80\xa0,\r\r\n\xfc' >"$APP/list4.nl2" &&
    launch && menu_bar && keeps ctrl+a Down alt+c ctrl+s Down alt+c &&
    copies '&Beta;' ctrl+i click 30 8 ctrl+g click 30 21 alt+c && keeps ctrl+i click 30 8 click 30 200 Down alt+c &&
    close_window
}

# A typed letter on a 10,000-entry list whose only "z" is the last selects it about as quickly as Down selects
# the next (it looks at the program's own copy of the entries; the clipboard is polled every 50 ms); a character
# beyond the BMP is one character (its key is mapped before the start: xdotool's passing mapping may be gone
# before the program reads it).
case_typed_on_long_list() {
  local spare t down typed
  spare=$(xmodmap -pke | awk '$3 == "=" && NF == 3 && !n++ { print $2 }') && xmodmap -e "keycode $spare = U1D49E" &&
    installed && awk 'BEGIN { for (i = 1; i < 10000; i++) printf "n%d,&n%d;\n", i, i; print "z,&z;" }' >"$APP/list1.nl2" &&
    printf '𝔄 Afr,&Afr;\n𝔅 Bfr,&Bfr;\n𝒞 Cscr,&Cscr;\n' >"$APP/list2.nl2" && launch && menu s q || return 1
  t=${EPOCHREALTIME/./} && copies '&n2;' Home Down && down=$((${EPOCHREALTIME/./} - t)) && t=${EPOCHREALTIME/./} &&
    copies '&z;' Home z && typed=$((${EPOCHREALTIME/./} - t)) &&
    want "z in $((typed / 1000)) ms, Down in $((down / 1000)) ms" [ "$typed" -le $((2 * down + 200000)) ] &&
    copies '&Cscr;' ctrl+a Home U1D49E && copies '&Afr;' a && close_window
}

# The code copied last stays on the clipboard once the program has ended: a clipboard manager takes it (Qt waits
# 5 s for this manager's answer, which never comes; it keeps the text all the same), and no keeper starts, also when
# the program still owns the clipboard at its end (the manager stopped, it cannot take it over); without a manager
# the program's keeper serves it until another program copies.
case_copied_code_outlives_the_program() {
  only_on linux deb || return 0
  local manager
  installed && printf '#!/bin/sh\n: >"$0.started"\n' >"$APP/tovu-clipboard" &&  # it only tells whether it started
    { xfce4-clipman >/dev/null 2>&1 & manager=$!; } && wait_for "a clipboard manager" selection_owned CLIPBOARD_MANAGER &&
    start_program "$APP" && wait_window && copies '&Beta;' Down Down alt+c && WAIT=10 close_window &&
    wait_for "clipboard after the exit with a manager" is '&Beta;' clipboard && kill -STOP "$manager" && launch &&
    copies '&Gamma;' Down Down Down alt+c && WAIT=10 close_window && kill -CONT "$manager" &&
    want "no keeper started with a manager" eval '[ ! -e "$APP/tovu-clipboard.started" ]' && kill "$manager" &&
    wait_for "the manager gone" fails selection_owned CLIPBOARD_MANAGER || return 1
  APP=$(install_program alone) && launch && copies '&Alpha;' Down alt+c && close_window &&
    wait_for "clipboard after the exit" is '&Alpha;' clipboard && still "clipboard after the exit" is '&Alpha;' clipboard &&
    want "keepers running" is 1 keepers && set_clipboard other && wait_for "keepers running after another copy" is 0 keepers
}

# Without /proc too (where the system lets a case unmount it), never from the current folder; the code copied
# last is kept after the exit then too.
case_started_through_link() {
  only_on linux || return 0
  local real
  real=$(install_program "ツール 表") && mkdir "$CASE_DIR/bin" "$CASE_DIR/cwd" &&
    ln -s "$real/tovu" "$CASE_DIR/bin/tovu" && APP=$CASE_DIR/bin && launch && copies '&Alpha;' Down alt+c &&
    close_window && want "tovu.ini beside the program, not beside the link" \
      eval '[ -f "$real/tovu.ini" ] && [ ! -e "$APP/tovu.ini" ]' || return 1
  unshare -m true 2>/dev/null || { NOTE="no mount namespace here: not started without /proc" && return 0; }
  rm "$real/tovu.ini" && LAUNCH_AS=(unshare -m sh -c 'umount -l /proc && cd "$0" && exec "$@"' "$CASE_DIR/cwd") &&
    launch && copies '&Alpha;' Down alt+c && close_window && wait_for "the code kept" is '&Alpha;' clipboard &&
    want "tovu.ini beside the program, nothing in the current folder" \
      eval '[ -f "$real/tovu.ini" ] && [ -z "$(ls -A "$CASE_DIR/cwd")" ]'
}

# What Orca says as a person walks the window at a person's pace: the code with each entry (the first
# selection too), the entry when the list takes the focus again, the code box's label then its text,
# the chosen list and each copy (none shows a thing), the check boxes and the submenu of the menus. Its
# speech goes to speech-dispatcher's silent module; its words come from its debug log, line-buffered
# here (Orca writes it whole only as it ends). Qt looks for the accessibility bus as it starts. The
# speech server leaves the case's process group; it ends by itself 5 s after Orca.
case_screen_reader() {
  only_on linux || return 0
  local speechd=$HOME/.config/speech-dispatcher orca=$HOME/.local/share/orca
  export DBUS_SESSION_BUS_ADDRESS=unix:path=$CASE_DIR/bus XDG_RUNTIME_DIR=$CASE_DIR/run
  LAUNCH_ENV+=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1) && mkdir -p -m 700 "$XDG_RUNTIME_DIR" "$speechd" "$orca" && printf \
    'AddModule "dummy" "sd_dummy" ""\nDefaultModule dummy\nAudioOutputMethod "libao"\n' >"$speechd/speechd.conf" &&
    echo default_driver=null >"$HOME/.libao" && echo '{"general": {"enableSpeech": true, "enableBraille": false,
      "enableKeyEcho": false, "speechServerFactory": "orca.speechdispatcherfactory"}, "pronunciations": {},
      "keybindings": {}, "profiles": {"default": {"profile": ["Default", "default"], "pronunciations": {},
      "keybindings": {}}}}' >"$orca/user-settings.conf" || return 1
  dbus-daemon --session --nofork --address="$DBUS_SESSION_BUS_ADDRESS" >/dev/null 2>&1 &
  wait_for "a session bus" test -S "$CASE_DIR/bus" || return 1
  /usr/bin/python3 -c 'import builtins, runpy, sys
log, sys.argv, opened = sys.argv[1], ["orca", "--debug-file=" + sys.argv[1]], builtins.open
builtins.open = lambda name, *rest, **named: opened(name, "w", 1) if name == log else opened(name, *rest, **named)
runpy.run_path("/usr/bin/orca", run_name="__main__")' "$E2E_OUT/$CASE-orca.log" >"$E2E_OUT/$CASE-orca.out" 2>&1 &
  WAIT=15 wait_for "Orca speaking" eval '[ -n "$(heard_since 0)" ]' && HEARD=$(heard_since 0 | wc -l) && launch &&
    hears_table <<'HEARD' || return 1
-	Tovu frame. | 参照一覧：ギリシャ文字. | List with 52 items.
Down	Α Alpha. | &Alpha;
Down	Β Beta. | &Beta;
alt+c	notification コピーしました：&Beta;
Tab	コピー(C) push button. | クリップボードへコピー.
Tab	コード： text. | &Beta selected.
shift+Tab	Text unselected. | コピー(C) push button. | クリップボードへコピー.
shift+Tab	参照一覧：ギリシャ文字. | List with 52 items. | Β Beta. | &Beta;
ctrl+i	notification 参照一覧：ISO 8859-1.
alt+s	即コピーモード(Q) check box not checked.
Return	参照一覧：ISO 8859-1. | List with 96 items.
Down	nbsp (no-break space) | コピーしました：&nbsp;
alt+s	即コピーモード(Q) check box checked.
Up	起動時の設定(N) collapsed.
Escape	設定(S)
alt+l	ギリシャ文字(G) check box not checked. | Ctrl+G.
HEARD
  want "the clipboard after the move" is '&nbsp;' clipboard && act Escape Escape && close_window
}
# Orca's words after the first N it said, one utterance a line.
heard_since() {
  sed -n "s/.*SPEECH OUTPUT: '\(.*\)'{.*/\1/p" "$E2E_OUT/$CASE-orca.log" 2>/dev/null | tail -n "+$(($1 + 1))"
}
# Rows "keys<TAB>utterances | ..." (keys "-": none): the keys pressed at a person's pace (0.1 s between
# key events), then exactly those words heard. One key a row but for chords: Orca drops the focus it
# has not spoken yet when the next one comes.
hears_table() {
  local keys words key
  while IFS=$'\t' read -r keys words; do
    for key in ${keys#-}; do xdotool key --delay 100 "$key" && sleep 0.1; done
    wait_for "what was heard after '$keys'" is "$words" eval 'heard_since "$HEARD" | paste -sd"|" | sed "s/|/ | /g"' &&
      HEARD=$((HEARD + $(echo "$words" | tr -cd '|' | wc -c) + 1)) || return 1
  done
}

# GNOME keeps the copied code for the next program after the exit.
case_clipboard_after_the_exit() {
  only_on mutter || return 0
  launch && copies '&Alpha;' Down alt+c && close_window && want "the clipboard after the exit" is '&Alpha;' clipboard
}
