# The tank as the desktop background natively on Wayland. On a headless sway (layer-shell,
# as an unprivileged user, 640x360 at 60 Hz): the tank is no window of sway's tree but
# covers the output from its background layer; an ordinary client (weston-simple-egl,
# opaque, floating) is drawn over it, keys typed with wtype reach that client and not the
# tank, frames come at most 30 a second (counted by the preloaded swap counter), and SIGTERM
# ends it with code 0. Then with the seat's pointer (a virtual pointer device: headless
# sway has none), on a 640x480 output that holds the whole menu (nine items of 48 pixels)
# below a click: a feed click on the tank drops food under the cursor and the client stays
# drawn over the tank; a right click opens the icon menu at the click; a click on the
# client closes the menu, and so does Escape, which leaves the tank running; F1 right after
# the menu shows the overlay; the menu's Exit picked with the pointer ends the background
# with code 0. On a headless Weston (no layer-shell, no X server) it says what to do and
# ends with code 1.
source "$(dirname "$0")/lib/sway.bash"
sway_setup "$@"
command -v weston-simple-egl > /dev/null || app_fail "weston-simple-egl is missing (Debian package weston)"
# At most 30 a second, a little slack for the measuring; steadily coming on a busy machine.
MAX_RATE=31
MIN_RATE=10

# Mean blue and red (0..255) of region $2 (WxH+X+Y) of screenshot $1.
blue_red() {
  convert "$1" -crop "$2" +repage -format '%[fx:int(255*mean.b)] %[fx:int(255*mean.r)]' info:
}

sway_start 60
sway_as swaymsg 'for_window [app_id=".*"] floating enable' > /dev/null
SWAY_PROGRAM_ARGS=(--desktop)
sway_start_program
sleep 8
kill -0 "$APP_PID" 2>/dev/null || app_fail "the background ended by itself: $(cat "$APP_TMP"/out.*.log)"
in_tree=$(sway_as swaymsg -r -t get_tree | jq --argjson pid "$APP_PID" '[.. | objects | select(.pid? == $pid)] | length')
[ "$in_tree" -eq 0 ] || app_fail "the background is a window of sway's tree"
sway_shot "$SWAY_DATA/tank.ppm"
hw=$((SWAY_W / 2)); hh=$((SWAY_H / 2))
for q in "0 0" "$hw 0" "0 $hh" "$hw $hh"; do
  read -r qx qy <<< "$q"
  read -r blue red < <(blue_red "$SWAY_DATA/tank.ppm" "${hw}x${hh}+$qx+$qy")
  app_note "the tank's quarter at $qx,$qy: mean blue $blue, red $red"
  [ "$blue" -gt 60 ] && [ "$blue" -gt $((red + 20)) ] || app_fail "the tank does not cover the output at $qx,$qy"
done
rate=$(app_swap_rate "$SWAY_SWAPS" 3)
app_note "the background draws $rate frames a second on a 60 Hz output"
awk -v r="$rate" -v lo=$MIN_RATE -v hi=$MAX_RATE 'BEGIN { exit !(r >= lo && r <= hi) }' ||
  app_fail "$rate frames a second"

# Starts an ordinary client over the tank and waits for its window; sets client (its pid)
# and cx cy cw ch (its window's place on the output).
start_client() {
  (cd "$SWAY_DATA" && exec env -i "${SWAY_AS[@]}" env HOME="$SWAY_HOME" PATH=/usr/bin:/bin \
    XDG_RUNTIME_DIR="$SWAY_RUN" WAYLAND_DISPLAY="$SWAY_SOCKET" weston-simple-egl -o \
    > "$APP_TMP/client.log" 2>&1) &
  client=$!
  APP_PIDS+=("$client")
  local rect=
  for _ in $(seq 50); do
    rect=$(sway_as swaymsg -r -t get_tree | jq -r '.. | objects | select(.app_id? == "org.freedesktop.weston.simple-egl") | "\(.rect.x) \(.rect.y) \(.rect.width) \(.rect.height)"' | head -1)
    [ -n "$rect" ] && break
    sleep 0.1
  done
  [ -n "$rect" ] || app_fail "the client's window did not appear"
  sleep 2
  read -r cx cy cw ch <<< "$rect"
  app_note "the client at $cx,$cy ${cw}x$ch"
}

# Pure white pixels of screenshot $1 (a fresh one without): the overlay's text.
white_pixels() {
  local shot=${1:-$SWAY_DATA/white.ppm}
  [ -n "${1:-}" ] || sway_shot "$shot"
  convert "$shot" -fill black +opaque white -fill white -opaque white \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

# Fails unless the screen shows the client over the tank: the client's corner is its own
# dark background, the tank shows left of the client. $1 names the moment.
client_over_tank() {
  local blue red
  sway_shot "$SWAY_DATA/client.ppm"
  read -r blue red < <(blue_red "$SWAY_DATA/client.ppm" "40x40+$((cx + 5))+$((cy + 5))")
  app_note "$1: the client's corner: mean blue $blue, red $red"
  [ "$blue" -lt 40 ] && [ "$red" -lt 40 ] || app_fail "$1: the tank shows over the client"
  read -r blue red < <(blue_red "$SWAY_DATA/client.ppm" "$((cx - 10))x$SWAY_H+0+0")
  app_note "$1: left of the client: mean blue $blue, red $red"
  [ "$blue" -gt 60 ] && [ "$blue" -gt $((red + 20)) ] || app_fail "$1: no tank beside the client"
}

# An ordinary client over it.
start_client
client_over_tank "the client opened"
[ -n "${APP_SHOTS:-}" ] && mkdir -p "$APP_SHOTS" && convert "$SWAY_DATA/client.ppm" "$APP_SHOTS/wayland-desktop.png"

# Keys go to the client, which ends on Escape; the tank keeps running.
sway_key Escape
app_wait_exit "$client" 5 || app_fail "Escape did not reach the client"
sleep 0.5
kill -0 "$APP_PID" 2>/dev/null || app_fail "Escape typed into the client ended the background"
sway_end_program
sway_stop

# With a pointer: the background again, with no pool fish (the food stays in view), under
# a client again, on an output tall enough for the whole menu below a click.
SWAY_H=480
sway_start 60
sway_as swaymsg 'for_window [app_id=".*"] floating enable' > /dev/null
rm -f "$SETTINGS_DIR/PelavoSet.ini"  # what the first run saved
app_settings_without_fish
[ -n "${SWAY_AS[*]}" ] && chown -R "$SWAY_USER:" "$SETTINGS_DIR"
sway_start_program
for _ in $(seq 200); do [ -s "$SWAY_SWAPS" ] && break; sleep 0.1; done
[ -s "$SWAY_SWAPS" ] || app_fail "the background drew nothing in 20 seconds"
start_client
sway_pointer_start
# A feed click on the tank, beside the client, drops food under the cursor, and the client
# stays drawn over the tank.
fx=$((cx - 80)) fy=$((cy + 40))
food=$(sway_feed_and_find_food "$fx" "$fy")
app_note "feed click at $fx,$fy: food at ${food:-nowhere}"
[ -n "$food" ] || app_fail "no food near the feed click at $fx,$fy"
read -r gx gy <<< "$food"
[ $((gx - fx)) -ge -32 ] && [ $((gx - fx)) -le 32 ] && [ $((gy - fy)) -ge -4 ] &&
  [ $((gy - fy)) -le 90 ] || app_fail "the food at $gx,$gy is not under the click at $fx,$fy"
client_over_tank "after the feed click"

# The menu opens at a right click; a click on the client closes it.
mx=40 my=30
sway_menu_open "$mx" "$my"
shot=$SWAY_DATA/menu-open.ppm
sway_shot "$shot"
[ -n "${APP_SHOTS:-}" ] && convert "$shot" "$APP_SHOTS/wayland-desktop-menu.png"
# Nine items below the click: the last item's bottom row is the menu's, the row under it
# is the tank's; nothing of the menu left of or above the click.
p_last=$(sway_pixel "$shot" $((mx + 120)) $((my + 9 * 48 - 1)))
p_below=$(sway_pixel "$shot" $((mx + 120)) $((my + 9 * 48 + 1)))
p_left=$(sway_pixel "$shot" $((mx - 2)) $((my + 50)))
p_above=$(sway_pixel "$shot" $((mx + 120)) $((my - 2)))
app_note "the menu at $mx,$my: last row $p_last, below $p_below, left $p_left, above $p_above"
[ "$p_last" = "249,248,247" ] && [ "$p_below" != "249,248,247" ] ||
  app_fail "the menu does not end nine items below the click"
[ "$p_left" != "219,216,209" ] && [ "$p_above" != "249,248,247" ] ||
  app_fail "the menu starts left of or above the click"
# Polls for up to two seconds until the menu at the click has gone; $1 names what closed it.
menu_closes() {
  for _ in $(seq 8); do
    sleep 0.25
    sway_menu_shows "$mx" "$my" || return 0
  done
  app_fail "$1 did not close the menu"
}
sway_click $((cx + cw - 30)) $((cy + ch - 30)) left
menu_closes "a click on the client"
kill -0 "$APP_PID" 2>/dev/null || app_fail "a click on the client with the menu open ended the background"
client_over_tank "after a click on the client"

# Escape closes only the menu, and the keyboard stays with the tank: F1 after the menu
# shows the overlay.
sway_menu_open "$mx" "$my"
sway_key Escape
menu_closes "Escape"
kill -0 "$APP_PID" 2>/dev/null || app_fail "Escape in the menu ended the background"
client_over_tank "after the menu"
# The client goes, so the overlay in the middle of the output shows whole.
kill "$client" 2>/dev/null
app_wait_exit "$client" 5 || app_fail "the client did not end"
sleep 0.5
white_before=$(white_pixels)
sway_key F1
sleep 0.4
sway_shot "$SWAY_DATA/overlay.ppm"
[ -n "${APP_SHOTS:-}" ] && convert "$SWAY_DATA/overlay.ppm" "$APP_SHOTS/wayland-desktop-overlay.png"
white_after=$(white_pixels "$SWAY_DATA/overlay.ppm")
app_note "white pixels before F1 $white_before, after $white_after"
[ "$white_after" -gt $((white_before + 500)) ] || app_fail "F1 after the menu showed no overlay"

# Exit picked with the pointer ends the background with code 0.
sway_menu_open "$mx" "$my"
sway_menu_pick "$mx" "$my" 8
app_wait_exit "$APP_PID" 10 || app_fail "the menu's Exit did not end the background"
[ "$APP_RC" -eq 0 ] || app_fail "the background ended with code $APP_RC after Exit"
sway_pointer_stop
sway_stop

# A compositor without layer-shell: the message and code 1, at once.
WESTON_RUN=$APP_TMP/weston-run
mkdir -p "$WESTON_RUN"
chmod 700 "$WESTON_RUN"
(cd "$WESTON_RUN" && exec env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$WESTON_RUN" weston \
  --backend=headless-backend.so --socket=pelavo-plain --width=640 --height=360 \
  --use-pixman --idle-time=0 > "$APP_TMP/weston.log" 2>&1) &
APP_PIDS+=("$!")
for _ in $(seq 100); do [ -S "$WESTON_RUN/pelavo-plain" ] && break; sleep 0.1; done
[ -S "$WESTON_RUN/pelavo-plain" ] || app_fail "headless Weston did not start"
mkdir -p "$APP_TMP/weston-config"
start=$(date +%s.%N)
env -u DISPLAY XDG_RUNTIME_DIR="$WESTON_RUN" WAYLAND_DISPLAY=pelavo-plain GDK_BACKEND=wayland \
  XDG_CONFIG_HOME="$APP_TMP/weston-config" SDL_AUDIODRIVER=dummy NO_AT_BRIDGE=1 \
  timeout 20 "$PELAVO" --desktop > "$APP_TMP/weston-out.log" 2>&1
rc=$?
took=$(awk -v s="$start" -v e="$(date +%s.%N)" 'BEGIN{printf "%.1f", e - s}')
app_note "on Weston: code $rc after $took s: $(tr "\n" " " < "$APP_TMP/weston-out.log")"
[ "$rc" -eq 1 ] || app_fail "on Weston the background ended with code $rc"
grep -q "desktop background" "$APP_TMP/weston-out.log" && grep -q "GDK_BACKEND=x11" "$APP_TMP/weston-out.log" ||
  app_fail "no message that says what to do: $(cat "$APP_TMP/weston-out.log")"
[ -z "$(ls -A "$APP_TMP/weston-config" 2>/dev/null)" ] || app_fail "the refused background wrote settings"
echo PASS
