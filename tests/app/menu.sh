# The right button opens the icon menu with its top-left corner at the click; the item under
# the pointer is highlighted; Escape closes only the menu; "  Exit" ends with code 0.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"

app_start
win=$(app_wait_window "$APP_PID" 30) || app_fail "no window appeared"
sleep 3

cx=400; cy=300
app_menu_opens_at $cx $cy || app_fail "the menu does not open at the click"
shot=$APP_TMP/menu-open.png
app_shot "$shot"
p_icon=$(app_pixel "$shot" $((cx + 2)) $((cy + 48 + 2)))
p_rest=$(app_pixel "$shot" $((cx + 120)) $((cy + 48 + 4)))
p_last=$(app_pixel "$shot" $((cx + 139)) $((cy + 8 * 48 - 1)))
p_below=$(app_pixel "$shot" $((cx + 60)) $((cy + 8 * 48 + 1)))
app_note "icon column $p_icon, text area $p_rest, last pixel $p_last, below $p_below"
[ "$p_icon" = "219,216,209" ] || app_fail "icon column colour at the click point is $p_icon"
[ "$p_rest" = "249,248,247" ] || app_fail "item colour is $p_rest"
[ "$p_last" = "249,248,247" ] || app_fail "the eighth item does not end 384 pixels below the click"
[ "$p_below" != "249,248,247" ] || app_fail "the menu is taller than eight items"
[ "$(app_pixel "$shot" $((cx + 2)) $((cy - 2)))" != "219,216,209" ] || app_fail "the menu starts above the click"
[ "$(app_pixel "$shot" $((cx - 2)) $((cy + 10)))" != "219,216,209" ] || app_fail "the menu starts left of the click"
# The items are 140 pixels wide, or wider when a text needs the room.
width=0
for dx in $(seq 140 300); do
  [ "$(app_pixel "$shot" $((cx + dx)) $((cy + 48 + 4)))" = "249,248,247" ] || { width=$dx; break; }
done
app_note "menu width $width"
[ "$width" -ge 140 ] && [ "$width" -le 260 ] || app_fail "menu width $width"

# Hover the third item: black frame, blue-grey fill.
xdotool mousemove $((cx + 60)) $((cy + 2 * 48 + 20))
sleep 0.2
xdotool mousemove $((cx + 70)) $((cy + 2 * 48 + 24))
sleep 0.5
shot=$APP_TMP/menu-hover.png
app_shot "$shot"
p_frame=$(app_pixel "$shot" $((cx + 70)) $((cy + 2 * 48)))
p_fill=$(app_pixel "$shot" $((cx + 120)) $((cy + 2 * 48 + 4)))
p_other=$(app_pixel "$shot" $((cx + 120)) $((cy + 48 + 4)))
app_note "hovered frame $p_frame, fill $p_fill, neighbour $p_other"
[ "$p_frame" = "0,0,0" ] || app_fail "no black frame round the hovered item"
[ "$p_fill" = "177,185,207" ] || app_fail "hovered fill is $p_fill"
[ "$p_other" = "249,248,247" ] || app_fail "the neighbour item is highlighted too"

# Escape closes the menu and nothing else.
xdotool key Escape
sleep 1
kill -0 "$APP_PID" 2>/dev/null || app_fail "Escape in the menu ended the program"
shot=$APP_TMP/menu-closed.png
app_shot "$shot"
[ "$(app_pixel "$shot" $((cx + 120)) $((cy + 48 + 4)))" != "249,248,247" ] ||
  app_fail "the menu is still shown after Escape"

# Near the bottom-right corner the menu opens up and to the left of the click.
bx=$((SCREEN_W - 20)); by=$((SCREEN_H - 20))
xdotool mousemove $bx $by
sleep 0.3
xdotool click 3
sleep 1
shot=$APP_TMP/menu-corner.png
app_shot "$shot"
p_corner=$(app_pixel "$shot" $((bx - width + 30)) $((by - 384 + 4)))
[ "$p_corner" = "249,248,247" ] || app_fail "the corner menu is not above-left of the click ($p_corner)"
xdotool key Escape
sleep 0.5

# "  Exit" (the eighth item) ends the program with code 0.
app_menu_opens_at $cx $cy || app_fail "the menu does not open again"
app_menu_pick $cx $cy 7
app_wait_exit "$APP_PID" 10 || app_fail "Exit did not end the program"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after Exit"
echo PASS
