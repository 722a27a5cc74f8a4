#!/usr/bin/env bash
# The window, its lists and their codes, and an orderly close.
. "$(dirname "$0")/lib.sh"

# The design's client area below the menu bar, in pixels at 15 twips each.
CLIENT_WIDTH=186
CLIENT_HEIGHT=318
MENU_HEIGHT=18  # measured when the window appears

window_appears() {
  tovu_start "$(new_install spine)"
  wait_window || return 1
  local x y w h
  read -r x y w h <<<"$(client_geometry "$TOVU_WIN")"
  want_eq "$w" "$CLIENT_WIDTH" "client width" || return 1
  MENU_HEIGHT=$((h - CLIENT_HEIGHT))
  [ "$MENU_HEIGHT" -ge 12 ] && [ "$MENU_HEIGHT" -le 40 ] ||
    fail "client height $h leaves $MENU_HEIGHT px for the menu bar above the design's $CLIENT_HEIGHT px" || return 1
  read -r x y w h <<<"$(frame_geometry "$TOVU_WIN")"
  [ "$x" -ge 0 ] && [ "$y" -ge 0 ] && [ $((x + w)) -le 1024 ] && [ $((y + h)) -le 768 ] ||
    fail "frame $w x $h at $x,$y is not wholly on the 1024 x 768 screen" || return 1
  local before
  before=$(client_geometry "$TOVU_WIN")
  sleep 0.5
  want_eq "$(client_geometry "$TOVU_WIN")" "$before" "client geometry half a second later"
}

copy_before_any_selection_keeps_clipboard() {
  set_clipboard "kept" || fail "could not put text on the clipboard" || return 1
  activate && keys alt+c
  sleep 0.4
  want_eq "$(clipboard)" "kept" "clipboard after Copy with an empty code box"
}

down_shows_first_greek_code() {
  activate || fail "window not focused" || return 1
  keys Down
  keys alt+c
  wait_clipboard '&Alpha;' || return 1
  # The picture for the README: the window with its first entry and its code.
  local x y w h m=24
  read -r x y w h <<<"$(frame_geometry "$TOVU_WIN")"
  x=$((x > m ? x - m : 0)); y=$((y > m ? y - m : 0))
  import -window root -crop "$((w + 2 * m))x$((h + 2 * m))+$x+$y" +repage "$E2E_OUT/tovu.png" ||
    fail "screenshot failed" || return 1
  local colours
  colours=$(identify -format '%k' "$E2E_OUT/tovu.png" 2>/dev/null)
  [ "${colours:-0}" -ge 16 ] || fail "screenshot tovu.png holds only ${colours:-0} colours"
}

iso_list_from_menu_shortcut() {
  activate || fail "window not focused" || return 1
  keys ctrl+i
  sleep 0.2
  keys Down alt+c
  wait_clipboard '&nbsp;' || return 1
  screenshot spine-iso
}

# Clicks at x y of the client area below the menu bar (the design's origin).
click_client() {  # x y
  xdotool mousemove --window "$TOVU_WIN" "$1" "$((MENU_HEIGHT + $2))" click 1
}

# The option button "Symbols" (design Top 1680, Height 285 twips) and then
# the list's first row, by mouse.
option_button_and_row_by_mouse() {
  click_client 110 121
  sleep 0.2
  click_client 30 8
  keys alt+c
  wait_clipboard '&fnof;'
}

# The List menu's shortcuts belong to the window: Ctrl+S and Ctrl+A in the
# code box choose lists, they do not stay with the text box (select all).
list_shortcuts_from_code_box() {
  activate || fail "window not focused" || return 1
  keys Tab Tab ctrl+s
  sleep 0.2
  click_client 30 8
  keys alt+c
  wait_clipboard '&quot;' || return 1
  keys Tab Tab ctrl+a
  sleep 0.2
  click_client 30 8
  keys alt+c
  wait_clipboard '&fnof;'
}

# The Copy button copies whatever the code box holds, typed text too.
typed_code_is_copied() {
  keys Tab Tab
  xdotool type --delay 15 '&hello;'
  keys alt+c
  wait_clipboard '&hello;'
}

# After a resize the list fills the left half and the right column follows:
# the list's first row and the Copy button are found at their new places.
layout_follows_resize() {
  xdotool windowsize "$TOVU_WIN" 400 $((CLIENT_HEIGHT + 150))
  poll 2 eval '[ "$(client_geometry "$TOVU_WIN" | cut -d" " -f3)" = 400 ]' ||
    fail "the window manager did not resize the window" || return 1
  sleep 0.3
  screenshot spine-resized
  set_clipboard "before" || fail "could not put text on the clipboard" || return 1
  click_client 150 21  # the second row, past the design's list width (93 px)
  sleep 0.2
  click_client 230 64  # the Copy button: 120 twips right of the half, Top 720
  wait_clipboard '&bull;'
}

close_ends_with_status_0() {
  close_window || return 1
  want_eq "$TOVU_STATUS" 0 "exit status after closing the window"
}

# A list box with nothing selected selects its first entry on Home, as it
# does on Down; a fresh window has nothing selected.
home_selects_first_entry() {
  tovu_start "$(new_install spine-home)"
  wait_window || return 1
  set_clipboard "before" || fail "could not put text on the clipboard" || return 1
  keys Home alt+c
  wait_clipboard '&Alpha;' || return 1
  close_window
}

# Lists that are missing, empty or not text leave their list empty and the
# others working.
damaged_lists() {
  local dir
  dir=$(new_install spine-damaged)
  rm "$dir/list2.nl2"
  : >"$dir/list3.nl2"
  printf 'a\x81,\xff\x00b\r\n\x80\xa0,\r\r\n\xfc' >"$dir/list4.nl2"  # not Shift-JIS
  tovu_start "$dir"
  wait_window || return 1
  set_clipboard "before" || fail "could not put text on the clipboard" || return 1
  keys ctrl+a Down alt+c
  sleep 0.4
  want_eq "$(clipboard)" "before" "clipboard after Down and Copy on the missing list" || return 1
  keys ctrl+s Down alt+c
  sleep 0.4
  want_eq "$(clipboard)" "before" "clipboard after Down and Copy on the empty list" || return 1
  keys ctrl+i Down
  keys ctrl+g Down alt+c
  wait_clipboard '&Alpha;' || return 1
  close_window || return 1
  want_eq "$TOVU_STATUS" 0 "exit status"
}

# Installed, the program is started through a link, from a folder whose name
# need not be ASCII; it finds its lists and keeps its settings beside itself.
started_through_link() {
  local real="$GROUP_DIR/ツール 表" links=$GROUP_DIR/bin
  mkdir -p "$real" "$links"
  cp "$E2E_BUILD/tovu" "$E2E_BUILD"/list[1-4].nl2 "$real/"
  ln -sf "$real/tovu" "$links/tovu"
  tovu_start "$links"
  wait_window || return 1
  keys Down alt+c
  wait_clipboard '&Alpha;' || return 1
  close_window || return 1
  [ -f "$real/tovu.ini" ] || fail "no tovu.ini beside the program after the exit" || return 1
  [ ! -e "$links/tovu.ini" ] || fail "tovu.ini written beside the link"
}

run_case window_appears window_appears
run_case copy_before_any_selection_keeps_clipboard copy_before_any_selection_keeps_clipboard
run_case down_shows_first_greek_code down_shows_first_greek_code
run_case ctrl_i_shows_iso_list iso_list_from_menu_shortcut
run_case option_button_and_row_by_mouse option_button_and_row_by_mouse
run_case list_shortcuts_from_code_box list_shortcuts_from_code_box
run_case typed_code_is_copied typed_code_is_copied
run_case layout_follows_resize layout_follows_resize
run_case close_ends_with_status_0 close_ends_with_status_0
tovu_kill
run_case home_selects_first_entry home_selects_first_entry
tovu_kill
run_case damaged_lists damaged_lists
tovu_kill
run_case started_through_link started_through_link
tovu_kill
