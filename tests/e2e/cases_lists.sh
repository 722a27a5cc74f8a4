# The window, its lists and their codes.

client_width() { client_geometry | cut -d' ' -f3; }

# A fresh window: its size, wholly on the screen as the window manager frames
# it; the first entry by Down; the README's picture; an orderly close.
case_first_entry() {
  launch && want "client width" is 186 client_width && menu_bar || return 1
  local x y w h m=24
  read -r x y w h <<<"$(extents | awk -v g="$(client_geometry)" '{ split(g, c, " ");
    print c[1] - $1, c[2] - $3, c[3] + $1 + $2, c[4] + $3 + $4 }')"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1024 ] && [ $((y + h)) -le 768 ] ||
    fail "frame $w x $h at $x,$y is not wholly on the 1024 x 768 screen" || return 1
  copies '&Alpha;' Down alt+c &&
    import -window root -crop "$((w + 2 * m))x$((h + 2 * m))+$((x > m ? x - m : 0))+$((y > m ? y - m : 0))" \
      +repage "$E2E_OUT/tovu.png" &&
    want "colours in tovu.png" eval '[ "$(identify -format %k "$E2E_OUT/tovu.png")" -ge 16 ]' && close_window
}

# A list box with nothing selected selects its first entry on Home, as on Down.
case_home_selects_first_entry() {
  launch && copies '&Alpha;' Home alt+c && close_window
}

# Lists by shortcut and by option button (Symbols: design Top 1680 twips) and
# row click (two clicks in one place would be a double click, which selects
# nothing on Windows); the List menu's Ctrl+S and Ctrl+A belong to the window,
# not to the code box (120,30), where they would select all; Copy copies typed
# text too.
case_lists_and_copy() {
  launch && menu_bar || return 1
  local want steps
  while read -r want steps; do
    copies "$want" $steps || return 1
  done <<'EOF'
&nbsp;  ctrl+i Down alt+c
&fnof;  click 110 121 click 30 8 alt+c
&amp;   click 120 30 ctrl+s click 30 21 alt+c
&fnof;  click 120 30 ctrl+a click 30 8 alt+c
&hello; click 120 30 End shift+Home type &hello; alt+c
EOF
  close_window
}

# After a resize the list fills the left half and the right column follows:
# the second row past the design's list width (93 px), and the Copy button
# 120 twips right of the half, at Top 720 twips.
case_layout_follows_resize() {
  launch && menu_bar && xdotool windowsize "$WIN" 400 $((CLIENT_HEIGHT + 150)) &&
    wait_for "client width after the resize" is 400 client_width &&
    copies '&bull;' ctrl+a click 150 21 click 230 64 && close_window
}

# Lists that are missing, empty or not Shift-JIS leave their list empty and
# the others working; Copy with nothing in the code box keeps the clipboard
# (and on Windows takes the focus, so the list is clicked again).
case_damaged_lists() {
  installed && rm "$APP/list2.nl2" && : >"$APP/list3.nl2" &&
    printf 'a\x81,\xff\x00b\r\n\x80\xa0,\r\r\n\xfc' >"$APP/list4.nl2" &&
    launch && menu_bar && keeps ctrl+a Down alt+c ctrl+s Down alt+c &&
    copies '&Beta;' ctrl+i click 30 8 ctrl+g click 30 21 alt+c && close_window
}

# Installed, it is started through a link, from a folder whose name need not
# be ASCII; it finds its lists and keeps its settings beside itself.
case_started_through_link() {
  only_on linux || return 0
  local real
  real=$(install_program "ツール 表") && mkdir "$CASE_DIR/bin" && ln -s "$real/tovu" "$CASE_DIR/bin/tovu" &&
    APP=$CASE_DIR/bin && launch && copies '&Alpha;' Down alt+c && close_window || return 1
  [ -f "$real/tovu.ini" ] && [ ! -e "$APP/tovu.ini" ] || fail "tovu.ini not beside the program, or beside the link"
}

# Ctrl+click on the selected entry keeps it selected, as in a Windows list box
# with one selection: the next Down goes on from it.
case_ctrl_click_keeps_the_selection() {
  launch && menu_bar && copies '&Beta;' click 30 21 alt+c &&
    act ctrl+click 30 21 && copies '&Gamma;' Down alt+c && close_window
}
