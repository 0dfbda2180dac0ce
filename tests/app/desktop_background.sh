# The tank as the desktop background (--desktop) under mutter (X11 mode) and under openbox,
# each with a tint2 panel on a 1280x800 screen: the window is of the desktop type, covers the
# screen, is on every workspace and in no task bar; the panel shows over it; an xclock opened
# on top stays on top after clicks on the tank around it, and a feed click beside it drops
# food under the cursor; it draws at most 30 frames a second (counted by the preloaded swap
# counter) and none while a full-screen window covers it; the menu opens at the cursor, and its Start with Session writes
# the session's autostart entry and removes it again; F1 and Esc typed into another window do
# nothing to the tank, F1 after a click on it shows the overlay. A second --desktop, and the
# full-screen tank, end at once with code 0 while it runs. After a click on the tank Esc
# ends it with code 0 without opening any page.
source "$(dirname "$0")/lib/common.bash"
app_private_screen 1280x800 "$@"

# The position of window $1 in the window manager's stacking order (bottom first).
stacking_index() {
  local i=0 id
  for id in $(xprop -root _NET_CLIENT_LIST_STACKING | sed 's/.*# //' | tr ',' ' '); do
    i=$((i + 1))
    [ $((id)) -eq $(($1)) ] && { echo "$i"; return 0; }
  done
}

# Fails unless the xclock window $1 at $2,$3 (300x200) is above the tank and the screen
# shows its white face. $4 names the moment.
clock_on_top() {
  local clock=$1 cx=$2 cy=$3 when=$4 shot=$APP_TMP/clock.$RANDOM.png white
  local tank_at clock_at
  tank_at=$(stacking_index "$win")
  clock_at=$(stacking_index "$clock")
  app_note "$wm: $when: stacking tank $tank_at, xclock $clock_at"
  [ -n "$tank_at" ] && [ -n "$clock_at" ] && [ "$tank_at" -lt "$clock_at" ] ||
    app_fail "$wm: $when: the tank is not below the xclock"
  app_shot "$shot"
  white=$(convert "$shot" -crop "240x120+$((cx + 30))+$((cy + 50))" +repage -fuzz 3% \
    -fill black +opaque white -fill white -opaque white -format '%[fx:mean]' info:)
  app_note "$wm: $when: the clock face is $white white"
  awk -v w="$white" 'BEGIN{exit !(w > 0.8)}' || app_fail "$wm: $when: the tank shows over the xclock"
}

# A feed click at $1, $2 drops food under the cursor.
food_lands_under_cursor() {
  local fx=$1 fy=$2 food gx gy
  food=$(app_feed_and_find_food "$fx" "$fy")
  app_note "$wm: feed click at $fx,$fy: food at ${food:-nowhere}"
  [ -n "$food" ] || app_fail "$wm: no food near the click at $fx,$fy"
  read -r gx gy <<< "$food"
  [ $((gx - fx)) -ge -32 ] && [ $((gx - fx)) -le 32 ] && [ $((gy - fy)) -ge 0 ] &&
    [ $((gy - fy)) -le 90 ] || app_fail "$wm: food at $gx,$gy is not under the click at $fx,$fy"
}

# Pure white pixels where the overlay's text shows (the middle of the screen).
overlay_white() {
  local shot=$APP_TMP/overlay.$RANDOM.png
  app_shot "$shot"
  convert "$shot" -crop 500x200+400+280 +repage -fill black +opaque white \
    -format '%[fx:int(mean*w*h)]' info:
}

if [ "${1:-}" = "--wm" ]; then
  wm=$2
  shift 2
  app_setup "$@"
  COUNTER=$(dirname "$PELAVO")/tests/swap_counter.so
  MAKE_WINDOW=$(dirname "$PELAVO")/tests/make_window
  [ -f "$COUNTER" ] && [ -x "$MAKE_WINDOW" ] || app_fail "no swap counter or window tool beside $PELAVO"
  app_settings_without_fish
  app_start_desktop "$wm"
  read -r px py pw ph < <(app_geometry "$PANEL")
  panel_only=$APP_TMP/panel-only.png
  app_shot "$panel_only"

  swaps=$APP_TMP/swaps
  LD_PRELOAD=$COUNTER PELAVO_SWAP_COUNT_FILE=$swaps app_start --desktop
  first=$APP_PID
  win=$(app_wait_window "$first" 30) || app_fail "$wm: no window appeared"
  sleep 3
  type=$(xprop -id "$win" _NET_WM_WINDOW_TYPE)
  state=$(xprop -id "$win" _NET_WM_STATE)
  desk=$(xprop -id "$win" _NET_WM_DESKTOP)
  app_note "$wm: $type; $state; $desk"
  [[ "$type" == *"= _NET_WM_WINDOW_TYPE_DESKTOP" ]] || app_fail "$wm: not a desktop window"
  [[ "$state" == *_NET_WM_STATE_SKIP_TASKBAR* && "$state" == *_NET_WM_STATE_SKIP_PAGER* ]] ||
    app_fail "$wm: the window is in task bars or pagers"
  [[ "$desk" == *"= 4294967295" ]] || app_fail "$wm: the window is not on every workspace"
  read -r x y w h < <(app_geometry "$win")
  app_note "$wm: window $x,$y ${w}x$h on a ${SCREEN_W}x$SCREEN_H screen"
  [ "$x" -eq 0 ] && [ "$y" -eq 0 ] && [ "$w" -eq "$SCREEN_W" ] && [ "$h" -eq "$SCREEN_H" ] ||
    app_fail "$wm: the window does not cover the screen"

  # The panel shows over the tank, the tank everywhere else.
  tank=$APP_TMP/tank.png
  app_shot "$tank"
  diff=$(app_region_difference "$panel_only" "$tank" "${pw}x${ph}+${px}+${py}")
  colours=$(convert "$tank" -crop "1280x$((py - 40))+0+20" +repage -scale 64x16\! \
    -unique-colors -format '%w' info:)
  app_note "$wm: the panel's area differs by $diff; the rest shows $colours colours"
  awk -v d="$diff" 'BEGIN{exit !(d < 0.02)}' || app_fail "$wm: the tank covers the panel"
  [ "$colours" -ge 8 ] || app_fail "$wm: no tank on the screen"

  # An ordinary window on top stays there whatever is clicked around it.
  xclock -geometry 300x200+500+300 > /dev/null 2>&1 &
  APP_PIDS+=("$!")
  clock=
  for _ in $(seq 100); do
    clock=$(xdotool search --onlyvisible --class xclock 2>/dev/null | head -1)
    [ -n "$clock" ] && break
    sleep 0.1
  done
  [ -n "$clock" ] || app_fail "$wm: the xclock did not appear"
  sleep 1
  read -r cx cy _ _ < <(app_geometry "$clock")
  clock_on_top "$clock" "$cx" "$cy" "opened"
  for p in "300 300" "1150 650" "650 650" "450 250"; do
    read -r qx qy <<< "$p"
    xdotool mousemove "$qx" "$qy" click 1
    sleep 0.4
  done
  clock_on_top "$clock" "$cx" "$cy" "after four clicks on the tank"
  food_lands_under_cursor $((cx + 300 + 80)) $((cy + 60))
  clock_on_top "$clock" "$cx" "$cy" "after the feed click"

  # The menu opens at the cursor; Escape in it closes only the menu.
  app_menu_opens_at 200 150 || app_fail "$wm: the menu did not open at the cursor"
  xdotool key Escape
  sleep 0.5
  kill -0 "$first" 2>/dev/null || app_fail "$wm: Escape in the menu ended the background"
  clock_on_top "$clock" "$cx" "$cy" "after the menu"

  # At most 30 frames a second; none while a full-screen window covers it.
  rate=$(app_swap_rate "$swaps" 3)
  app_note "$wm: the background draws $rate frames a second"
  awk -v r="$rate" 'BEGIN{exit !(r >= 5 && r <= 31)}' || app_fail "$wm: $rate frames a second"
  "$MAKE_WINDOW" "$SCREEN_W" "$SCREEN_H" 0 0 > "$APP_TMP/cover.txt" &
  cover=$!
  APP_PIDS+=("$cover")
  for _ in $(seq 50); do [ -s "$APP_TMP/cover.txt" ] && break; sleep 0.1; done
  wmctrl -i -r "$(cat "$APP_TMP/cover.txt")" -b add,fullscreen
  sleep 1.5
  covered=$(app_swap_rate "$swaps" 3)
  app_note "$wm: covered by a full-screen window: $covered frames a second"
  [ "$covered" = "0.0" ] || app_fail "$wm: the covered background draws $covered frames a second"
  kill -TERM "$cover"
  wait "$cover" 2>/dev/null
  sleep 1.5
  again=$(app_swap_rate "$swaps" 2)
  app_note "$wm: uncovered: $again frames a second"
  awk -v r="$again" 'BEGIN{exit !(r >= 5)}' || app_fail "$wm: no frames after uncovering"

  # Start with Session writes the autostart entry, and picked again removes it.
  entry=$XDG_CONFIG_HOME/autostart/pelavo-desktop.desktop
  app_menu_opens_at 200 150 || app_fail "$wm: the menu did not open again"
  app_menu_pick 200 150 7
  sleep 1
  [ -f "$entry" ] || app_fail "$wm: Start with Session wrote no autostart entry"
  grep -qx "Exec=$PELAVO --desktop" "$entry" || app_fail "$wm: the entry runs $(grep Exec "$entry")"
  kill -0 "$first" 2>/dev/null || app_fail "$wm: Start with Session ended the background"
  app_menu_opens_at 200 150 || app_fail "$wm: the menu did not open a third time"
  app_shot "$APP_TMP/menu-lit.png"
  app_menu_pick 200 150 7
  sleep 1
  [ ! -e "$entry" ] || app_fail "$wm: Start with Session picked again left the entry"
  app_note "$wm: Start with Session wrote the entry and removed it"
  clock_on_top "$clock" "$cx" "$cy" "after the menu items"

  # Keys typed while another window has the keyboard are not the tank's: F1 shows no
  # overlay and Esc ends nothing. After a click on the tank, F1 shows the overlay. (xclock
  # takes no keyboard, so a plain window of the test's own has it.)
  # The xclock's white face would stand where the overlay shows.
  xdotool windowunmap "$clock"
  sleep 0.5
  "$MAKE_WINDOW" 200 150 1000 550 > "$APP_TMP/keys.txt" &
  APP_PIDS+=("$!")
  for _ in $(seq 50); do [ -s "$APP_TMP/keys.txt" ] && break; sleep 0.1; done
  keys=$(cat "$APP_TMP/keys.txt")
  sleep 1
  read -r kx ky _ _ < <(app_geometry "$((keys))")
  xdotool mousemove $((kx + 100)) $((ky + 75)) click 1
  sleep 0.5
  active=$(xprop -root _NET_ACTIVE_WINDOW | sed 's/.*# //; s/,.*//')
  [ $((active)) -eq $((keys)) ] || app_fail "$wm: the plain window did not take the keyboard (active $active)"
  app_note "$wm: the plain window has the keyboard"
  xdotool key F1
  sleep 0.4
  white=$(overlay_white)
  xdotool key Escape
  sleep 1
  kill -0 "$first" 2>/dev/null || app_fail "$wm: Esc typed into another window ended the background"
  app_note "$wm: F1 typed into another window: $white white pixels where the overlay shows"
  [ "$white" -lt 200 ] || app_fail "$wm: F1 typed into another window showed the tank's overlay"
  xdotool mousemove 200 600 click 1
  sleep 0.5
  xdotool key F1
  sleep 0.4
  white=$(overlay_white)
  app_note "$wm: F1 after a click on the tank: $white white pixels"
  [ "$white" -ge 1000 ] || app_fail "$wm: F1 after a click on the tank showed no overlay"
  sleep 2  # the overlay goes again

  # One background, and no full-screen tank beside it.
  for options in "--desktop" ""; do
    # shellcheck disable=SC2086
    app_start $options
    app_wait_exit "$APP_PID" 5 || app_fail "$wm: 'pelavo $options' did not end at once"
    [ "$APP_RC" -eq 0 ] || app_fail "$wm: 'pelavo $options' ended with code $APP_RC"
  done
  kill -0 "$first" 2>/dev/null || app_fail "$wm: the background ended"

  # Esc, once the tank has the keyboard, ends it quietly.
  xdotool mousemove 200 150 click 1
  sleep 0.5
  xdotool key Escape
  app_wait_exit "$first" 10 || app_fail "$wm: Esc did not end the background"
  [ "$APP_RC" -eq 0 ] || app_fail "$wm: Esc ended with code $APP_RC"
  [ ! -s "$OPENED" ] || app_fail "$wm: Esc opened $(cat "$OPENED")"
  exit 0
fi

# Each window manager on a screen of its own.
for wm in openbox mutter; do
  APP_PRIVATE_SCREEN= bash "$0" --wm "$wm" "$@" || exit 1
done
echo PASS
