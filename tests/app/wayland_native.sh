# The program natively on Wayland: Weston runs with its X11 backend on a virtual X screen of
# its own, so xdotool can move that screen's pointer and press keys over Weston's output
# window and Weston hands them to its Wayland clients. The program itself has no X
# connection (DISPLAY unset, GDK_BACKEND=wayland). Checked on the compositor's own
# screenshots: the tank covers the output, a right click opens the icon menu at the click,
# a feed click drops food there, F1 shows the overlay right after the menu (no click first)
# and right after an item picked with the pointer, Touch Fish and Feed Fish picked with the
# pointer change what a click does, the menu stays on the output at its corner and a click
# outside closes it, Add/Delete Fish shows its modal dialog and Escape closes it, Custom
# Music shows its dialog, whose button opens the file chooser, and Escape closes both,
# frames follow the compositor (counted by the preloaded swap counter), none are drawn once
# the compositor has gone to sleep (it shows nothing), and SIGTERM and Esc end with code 0.
# The same output at 200 %: food under the click and the cursor at its own size. Last, a
# headless Weston with a scaled output, with no X server at all.
source "$(dirname "$0")/lib/common.bash"
OUT_W=1280
OUT_H=720
app_private_screen "$((OUT_W + 100))x$((OUT_H + 100))" "$@"
app_setup "$@"
for tool in weston weston-screenshooter xwininfo; do
  command -v "$tool" > /dev/null || app_fail "$tool is missing (Debian packages weston, x11-utils)"
done
counter=$(dirname "$PELAVO")/tests/swap_counter.so
[ -f "$counter" ] || app_fail "no swap counter at $counter"
# The compositor goes to sleep (shows nothing) after this many seconds without input.
IDLE_SECONDS=20
# Frames a second: never faster than the output's 60 Hz refresh (a little slack for the
# measuring), and steadily coming (the tank's software rendering on a busy test machine
# may take most of a refresh interval, so not necessarily 60).
MAX_RATE=61
MIN_RATE=5
MENU_X=400
MENU_Y=100
DIALOG_FACE="rgb(246,245,244)"  # the toolkit theme's dialog background
# The Custom Music dialog's Add Music button from the top-left corner of the dialog's face.
ADD_MUSIC_X=89
ADD_MUSIC_Y=223

# No lock screen: woken again, the compositor shows the program at once.
printf '[shell]\nlocking=false\n' > "$APP_TMP/weston.ini"
# Starts Weston with its X11 backend: socket $1, an output of $2 x $3 at scale $4 (its
# window on the X screen is the output's size times the scale). Sets SOCKET, WESTON_PID and
# OX, OY: where the output window sits on the X screen.
start_weston_x11() {
  SOCKET=$1
  (cd "$XDG_RUNTIME_DIR" && exec env -u WAYLAND_DISPLAY weston --backend=x11-backend.so \
    --config="$APP_TMP/weston.ini" --socket="$SOCKET" --width="$2" --height="$3" --scale="$4" \
    --use-pixman --idle-time=$IDLE_SECONDS --debug > "$APP_TMP/weston-$SOCKET.log" 2>&1) &
  WESTON_PID=$!
  APP_PIDS+=("$WESTON_PID")
  for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$SOCKET" ] && break; sleep 0.1; done
  [ -S "$XDG_RUNTIME_DIR/$SOCKET" ] || app_fail "Weston did not start: $(tail -5 "$APP_TMP/weston-$SOCKET.log")"
  # Weston names its output window only in _NET_WM_NAME, which xdotool's search does not read.
  local geometry=""
  for _ in $(seq 50); do
    geometry=$(xwininfo -root -tree 2>/dev/null | grep 'Weston Compositor' | head -1)
    [ -n "$geometry" ] && break
    sleep 0.1
  done
  [ -n "$geometry" ] || app_fail "Weston's output window did not appear"
  # "WxH+X+Y +X+Y"
  read -r OX OY < <(sed -E 's/.* [0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+(-?[0-9]+)\+(-?[0-9]+).*/\1 \2/' <<< "$geometry")
}
start_weston_x11 pelavo-wayland $OUT_W $OUT_H 1
# Moves the pointer to output point $1, $2.
at() { xdotool mousemove $((OX + $1)) $((OY + $2)); sleep 0.3; }
# The compositor's screenshot, saved as $1.
shoot() {
  rm -f "$APP_TMP"/wayland-screenshot-*.png
  (cd "$APP_TMP" && WAYLAND_DISPLAY=$SOCKET weston-screenshooter) || app_fail "weston-screenshooter failed"
  mv "$(ls "$APP_TMP"/wayland-screenshot-*.png | head -1)" "$1" || app_fail "no screenshot"
  [ -n "${APP_SHOTS:-}" ] && { mkdir -p "$APP_SHOTS"; cp "$1" "$APP_SHOTS/wayland-$(basename "$1")"; }
  return 0
}
# The bounding box of the dialog face colour in screenshot $1 as "W H X Y".
face_box() {
  convert "$1" -fill black +opaque "$DIALOG_FACE" -format '%@' info: 2>/dev/null |
    sed -E 's/([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)/\1 \2 \3 \4/'
}
# Pixels of colour $2 in region $3 (WxH+X+Y) of screenshot $1.
count_colour() {
  convert "$1" -crop "$3" +repage -fill black +opaque "$2" -fill white -opaque "$2" \
    -format '%[fx:int(mean*w*h+0.5)]' info:
}

# White overlay text in the middle of the output.
overlay_pixels() { count_colour "$1" white "${OUT_W}x400+0+100"; }
# F1 reaches the tank: the overlay shows at once (an earlier showing has ended). $1 names
# the moment in the messages.
f1_shows_overlay() {
  shoot "$APP_TMP/before-f1.png"
  local before after
  before=$(overlay_pixels "$APP_TMP/before-f1.png")
  xdotool key F1
  sleep 0.4
  shoot "$APP_TMP/after-f1.png"
  after=$(overlay_pixels "$APP_TMP/after-f1.png")
  app_note "white overlay pixels $1: $before, after F1 $after"
  [ "$after" -gt $((before + 500)) ] || app_fail "F1 $1 did not show the overlay"
}
# Clicks at output point $1, $2 and prints the food pixels round it, the most in six
# screenshots a quarter second apart (the pellet tumbles as it sinks, so one screenshot may
# catch it edge on). With $3 and $4 the pointer moves there after the click, so its cursor
# does not cover the pellet.
food_after_click() {
  local best=0 n
  at "$1" "$2"
  xdotool click 1
  if [ $# -ge 4 ]; then sleep 0.4; at "$3" "$4"; fi
  for _ in 1 2 3 4 5 6; do
    sleep 0.25
    shoot "$APP_TMP/click.png"
    n=$(count_colour "$APP_TMP/click.png" "$APP_FOOD_COLOUR" "200x200+$(($1 - 100))+$(($2 - 100))")
    [ "$n" -gt "$best" ] && best=$n
  done
  echo "$best"
}
# Opens the icon menu and picks item $1 (0 is the first) with the pointer.
pick_item() {
  at $MENU_X $MENU_Y
  xdotool click 3
  sleep 1
  at $((MENU_X + 60)) $((MENU_Y + $1 * 48 + 20))
  at $((MENU_X + 70)) $((MENU_Y + $1 * 48 + 24))
  xdotool click 1
  sleep 0.8
}

app_settings_without_fish
swaps=$APP_TMP/swaps
# Starts the program natively on $SOCKET, with the environment settings given as arguments;
# its output goes to $APP_LOG.
start_native() {
  APP_LOG=$APP_TMP/out.${#APP_PIDS[@]}.log
  env -u DISPLAY GDK_BACKEND=wayland WAYLAND_DISPLAY=$SOCKET LD_PRELOAD=$counter \
    PELAVO_SWAP_COUNT_FILE=$swaps "$@" "$PELAVO" > "$APP_LOG" 2>&1 &
  APP_PID=$!
  APP_PIDS+=("$APP_PID")
}
start_native
sleep 8
kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended by itself"
# The pointer enters Weston's output window from outside first: without an enter event
# Weston's X11 backend counts positions from wherever the first motion is.
at $((OUT_W + 50)) $((OUT_H + 50))
at 640 360

rate=$(app_swap_rate "$swaps" 3)
app_note "native Wayland: $rate frames a second at ${OUT_W}x$OUT_H"
awk -v r="$rate" -v lo=$MIN_RATE -v hi=$MAX_RATE 'BEGIN { exit !(r >= lo && r <= hi) }' ||
  app_fail "$rate frames a second: the compositor's frame callbacks pace at most 60 a second"

# Water over the whole output, the top edge included (where the shell's panel is when the
# window is not full screen): blue well above red in the top strip and in the rest.
shoot "$APP_TMP/tank.png"
for crop in "${OUT_W}x40+0+0" "${OUT_W}x$((OUT_H - 40))+0+40"; do
  read -r blue red < <(convert "$APP_TMP/tank.png" -crop "$crop" \
    -format '%[fx:int(255*mean.b)] %[fx:int(255*mean.r)]' info:)
  app_note "$crop: mean blue $blue, red $red"
  [ "$blue" -gt 60 ] && [ "$blue" -gt $((red + 20)) ] || app_fail "the compositor does not show the tank in $crop"
done

# Food: a click in Feed mode drops a pellet (drawn unlit in exactly the food colour) near it.
nofood=$(count_colour "$APP_TMP/tank.png" "$APP_FOOD_COLOUR" "200x200+540+200")
food=$(food_after_click 640 300)
app_note "food pixels round the click: $nofood before, $food after"
[ "$food" -gt "$nofood" ] || app_fail "the feed click dropped no food near the pointer"

# The icon menu opens at the click, its icon column and light items right and below it.
at $MENU_X $MENU_Y
xdotool click 3
sleep 1.2
shoot "$APP_TMP/menu.png"
p_icon=$(app_pixel "$APP_TMP/menu.png" $((MENU_X + 2)) $((MENU_Y + 48 + 2)))
p_item=$(app_pixel "$APP_TMP/menu.png" $((MENU_X + 120)) $((MENU_Y + 48 + 4)))
app_note "menu icon column $p_icon, item $p_item"
[ "$p_icon" = "219,216,209" ] && [ "$p_item" = "249,248,247" ] ||
  app_fail "the right click shows no icon menu at the pointer"
# Escape closes only the menu.
xdotool key Escape
sleep 0.8
kill -0 "$APP_PID" 2>/dev/null || app_fail "Escape in the menu ended the program"
shoot "$APP_TMP/closed.png"
[ "$(app_pixel "$APP_TMP/closed.png" $((MENU_X + 120)) $((MENU_Y + 48 + 4)))" != "249,248,247" ] ||
  app_fail "the menu is still shown after Escape"
# F1 right after the menu reaches the tank with no click first.
f1_shows_overlay "right after the menu"

# Items picked with the pointer change the mode, and the keyboard stays with the tank: F1
# right after the pick shows the overlay. In Touch mode a click drops no food; Feed Fish,
# picked again, drops it at the next click.
sleep 3  # the overlay shown above ends first
pick_item 1
f1_shows_overlay "after Touch Fish was picked with the pointer"
touchfood=$(food_after_click 900 500)
app_note "food pixels after a click in Touch mode: $touchfood"
[ "$touchfood" -eq 0 ] || app_fail "a click in Touch mode dropped food"
pick_item 0
feedfood=$(food_after_click 900 500)
app_note "food pixels after a click with Feed Fish picked again: $feedfood"
[ "$feedfood" -gt 0 ] || app_fail "Feed Fish picked with the pointer did not bring back feeding"

# Near the output's bottom-right corner the menu opens above and left of the click, all of
# it on the output; a click outside it closes it and reaches nothing else.
at $((OUT_W - 20)) $((OUT_H - 20))
xdotool click 3
sleep 1
shoot "$APP_TMP/corner.png"
p_corner=$(app_pixel "$APP_TMP/corner.png" $((OUT_W - 20 - 100)) $((OUT_H - 20 - 384 + 4)))
app_note "corner menu item pixel $p_corner"
[ "$p_corner" = "249,248,247" ] || app_fail "the corner menu is not above and left of the click"
at 200 200
xdotool click 1
sleep 0.8
shoot "$APP_TMP/corner-closed.png"
[ "$(app_pixel "$APP_TMP/corner-closed.png" $((OUT_W - 20 - 100)) $((OUT_H - 20 - 384 + 4)))" != "249,248,247" ] ||
  app_fail "a click outside the menu did not close it"
kill -0 "$APP_PID" 2>/dev/null || app_fail "the click outside the menu ended the program"

# Add/Delete Fish shows its modal dialog; Escape closes it and the keys reach the tank again.
pick_item 4
sleep 1
shoot "$APP_TMP/fish-dialog.png"
face=$(count_colour "$APP_TMP/fish-dialog.png" "$DIALOG_FACE" "${OUT_W}x$OUT_H+0+0")
app_note "dialog face pixels with Add/Delete Fish open: $face"
# Most of this dialog is its picture of a tank; its button strip has the toolkit's face.
[ "$face" -gt 5000 ] || app_fail "the menu's Add/Delete Fish showed no dialog"
xdotool key Escape
sleep 1
shoot "$APP_TMP/fish-closed.png"
face=$(count_colour "$APP_TMP/fish-closed.png" "$DIALOG_FACE" "${OUT_W}x$OUT_H+0+0")
[ "$face" -lt 1000 ] || app_fail "Escape did not close the Add/Delete Fish dialog"
kill -0 "$APP_PID" 2>/dev/null || app_fail "Escape in the Add/Delete Fish dialog ended the program"
sleep 3  # the overlay shown above ends first
f1_shows_overlay "after the Add/Delete Fish dialog"

# An item picked with the pointer runs its command: Custom Music shows its dialog (the
# toolkit's light dialog face all over it), and Escape in the dialog closes it again.
at $MENU_X $MENU_Y
xdotool click 3
sleep 1
at $((MENU_X + 60)) $((MENU_Y + 5 * 48 + 20))
at $((MENU_X + 70)) $((MENU_Y + 5 * 48 + 24))
xdotool click 1
sleep 2
shoot "$APP_TMP/music.png"
face=$(count_colour "$APP_TMP/music.png" "$DIALOG_FACE" "${OUT_W}x$OUT_H+0+0")
app_note "dialog face pixels with Custom Music open: $face"
[ "$face" -gt 50000 ] || app_fail "the menu's Custom Music showed no dialog"
# Its Add Music button opens the toolkit's file chooser, far wider than the dialog (the
# compositor places windows, so the button is found from the dialog's face); Escape closes
# the chooser, a second Escape the dialog.
read -r dw _ dx dy < <(face_box "$APP_TMP/music.png")
app_note "Custom Music dialog face ${dw} wide at $dx,$dy"
at $((dx + ADD_MUSIC_X)) $((dy + ADD_MUSIC_Y))
xdotool click 1
sleep 3
shoot "$APP_TMP/chooser.png"
read -r cw _ < <(face_box "$APP_TMP/chooser.png")
app_note "with the file chooser open the face is $cw wide"
[ "$cw" -gt $((dw + 200)) ] || app_fail "Add Music showed no file chooser"
xdotool key Escape
sleep 1.5
xdotool key Escape
sleep 1
kill -0 "$APP_PID" 2>/dev/null || app_fail "Escape in the dialog ended the program"
shoot "$APP_TMP/music-closed.png"
face=$(count_colour "$APP_TMP/music-closed.png" "$DIALOG_FACE" "${OUT_W}x$OUT_H+0+0")
[ "$face" -lt 1000 ] || app_fail "Escape did not close the Custom Music dialog"

# SIGTERM ends the program with code 0.
kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 15 || app_fail "no end on SIGTERM"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after SIGTERM"

# Once the compositor has gone to sleep after its idle time it shows nothing and sends no
# frame callbacks: the program draws nothing until input wakes the compositor again.
# Esc then ends it with code 0.
start_native
sleep 6
kill -0 "$APP_PID" 2>/dev/null || app_fail "the second run ended by itself"
awake=$(app_swap_rate "$swaps" 2)
sleep $((IDLE_SECONDS - 4))
asleep=""
for _ in $(seq 10); do
  asleep=$(app_swap_rate "$swaps" 2)
  [ "$asleep" = "0.0" ] && break
done
app_note "frames a second awake $awake, with the compositor asleep $asleep"
awk -v r="$awake" -v lo=$MIN_RATE 'BEGIN { exit !(r >= lo) }' || app_fail "only $awake frames a second before the sleep"
[ "$asleep" = "0.0" ] || app_fail "$asleep frames a second while the compositor shows nothing"
at 300 300
at 320 320
xdotool click 1
woken=$(app_swap_rate "$swaps" 2)
app_note "frames a second woken again $woken"
awk -v r="$woken" -v lo=$MIN_RATE 'BEGIN { exit !(r >= lo) }' || app_fail "frames did not resume after the compositor woke"
xdotool key Escape
app_wait_exit "$APP_PID" 15 || app_fail "no end on Esc"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after Esc"

# The same at 200 %: an output of half the size at scale 2 fills the same window. A click
# drops food under the pointer (counted in the output's physical pixels, the pointer moved
# away so its cursor does not cover the pellet), and the compositor gets the feed cursor at
# its own size: its hot spot in surface units is the image's (9, 13), not doubled (the
# compositor enlarges cursors for a scaled output itself). Read off the protocol log.
kill "$WESTON_PID"
wait "$WESTON_PID" 2>/dev/null
start_weston_x11 pelavo-scaled $((OUT_W / 2)) $((OUT_H / 2)) 2
start_native WAYLAND_DEBUG=client
sleep 8
kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended by itself at scale 2"
at $((OUT_W + 50)) $((OUT_H + 50))
at 640 360
food=$(food_after_click 640 300 200 650)
app_note "at scale 2, food pixels round the click: $food"
[ "$food" -gt 0 ] || app_fail "at scale 2 the click dropped no food near the pointer"
hotspots=$(grep -oE 'wl_pointer@[0-9]+\.set_cursor\([0-9]+, wl_surface@[0-9]+, [0-9]+, [0-9]+\)' "$APP_LOG" |
  sed -E 's/.*, ([0-9]+), ([0-9]+)\)/\1,\2/' | sort -u | tr '\n' ' ')
app_note "cursor hot spots handed to the compositor at scale 2: $hotspots"
[[ " $hotspots" == *" 9,13 "* ]] || app_fail "the feed cursor's hot spot is not (9, 13) at scale 2"
[[ " $hotspots" != *" 18,26 "* ]] || app_fail "the feed cursor was enlarged for a compositor that scales it itself"
kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 15 || app_fail "no end on SIGTERM at scale 2"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after SIGTERM at scale 2"

# A headless compositor (no X anywhere near it) with a scaled output: the program starts,
# draws at the output's full resolution and the tank fills all of it, not only the logical
# size in one corner, and frames come no faster than the refresh.
HEADLESS=pelavo-headless
HW=640
HH=360
(cd "$XDG_RUNTIME_DIR" && exec env -u DISPLAY -u WAYLAND_DISPLAY weston \
  --backend=headless-backend.so --socket=$HEADLESS --width=$HW --height=$HH --scale=2 \
  --use-pixman --idle-time=0 --debug > "$APP_TMP/weston-headless.log" 2>&1) &
APP_PIDS+=("$!")
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$HEADLESS" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$HEADLESS" ] || app_fail "headless Weston did not start"
SOCKET=$HEADLESS start_native
sleep 8
kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended by itself on the headless compositor"
rate=$(app_swap_rate "$swaps" 3)
app_note "headless, scale 2: $rate frames a second"
awk -v r="$rate" -v lo=$MIN_RATE -v hi=$MAX_RATE 'BEGIN { exit !(r >= lo && r <= hi) }' ||
  app_fail "$rate frames a second on the headless compositor"
SOCKET=$HEADLESS shoot "$APP_TMP/scaled.png"
read -r sw sh < <(identify -format '%w %h' "$APP_TMP/scaled.png")
[ "$sw" -eq $((HW * 2)) ] && [ "$sh" -eq $((HH * 2)) ] || app_fail "the scaled screenshot is ${sw}x$sh"
for crop in "${HW}x${HH}+$HW+0" "${HW}x${HH}+0+$HH" "${HW}x${HH}+$HW+$HH"; do
  read -r blue red < <(convert "$APP_TMP/scaled.png" -crop "$crop" \
    -format '%[fx:int(255*mean.b)] %[fx:int(255*mean.r)]' info:)
  app_note "scaled $crop: mean blue $blue, red $red"
  [ "$blue" -gt 60 ] && [ "$blue" -gt $((red + 20)) ] || app_fail "the tank does not fill the scaled output ($crop)"
done
kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 15 || app_fail "no end on SIGTERM on the headless compositor"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after SIGTERM on the headless compositor"
echo PASS
