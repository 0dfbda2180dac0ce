# The tank on a desktop with a window manager and a panel (1280x800): under mutter (X11 mode,
# in a D-Bus session) and under openbox, each with a tint2 panel, the window takes the
# desktop's full-screen state and covers the whole screen, panel included; the menu opens
# at the cursor, a feed click drops food under the cursor and Esc ends with code 0. Then the
# same on a screen scaled to 200 %: the tank fills every quarter and food still lands under
# the cursor.
source "$(dirname "$0")/lib/common.bash"
app_private_screen 1280x800 "$@"

# A feed click at $2, $3 drops food under the cursor: within the pick bars' spacing across,
# a little below it (it drops two units below the pick and sinks). $1 names the run.
food_lands_under_cursor() {
  local run=$1 fx=$2 fy=$3 food gx gy
  food=$(app_feed_and_find_food "$fx" "$fy")
  app_note "$run: feed click at $fx,$fy: food at ${food:-nowhere}"
  [ -n "$food" ] || app_fail "$run: no food near the click at $fx,$fy"
  read -r gx gy <<< "$food"
  [ $((gx - fx)) -ge -32 ] && [ $((gx - fx)) -le 32 ] && [ $((gy - fy)) -ge 0 ] &&
    [ $((gy - fy)) -le 90 ] || app_fail "$run: food at $gx,$gy is not under the click at $fx,$fy"
}
if [ "${1:-}" = "--desktop" ]; then
  wm=$2
  shift 2
  app_setup "$@"
  app_settings_without_fish
  app_start_desktop "$wm"
  read -r px py pw ph < <(app_geometry "$PANEL")
  app_note "$wm: panel at $px,$py ${pw}x$ph"
  before=$APP_TMP/panel-only.png
  app_shot "$before"

  app_start
  win=$(app_wait_window "$APP_PID" 30) || app_fail "$wm: no window appeared"
  sleep 3
  read -r x y w h < <(app_geometry "$win")
  app_note "$wm: window $x,$y ${w}x$h on a ${SCREEN_W}x$SCREEN_H screen"
  [ "$x" -eq 0 ] && [ "$y" -eq 0 ] && [ "$w" -eq "$SCREEN_W" ] && [ "$h" -eq "$SCREEN_H" ] ||
    app_fail "$wm: the window does not cover the screen"
  xprop -id "$win" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN ||
    app_fail "$wm: the window is not in the full-screen state: $(xprop -id "$win" _NET_WM_STATE)"

  # Where the panel was, the tank shows now.
  after=$APP_TMP/tank.png
  app_shot "$after"
  crop="${pw}x${ph}+${px}+${py}"
  diff=$(app_region_difference "$before" "$after" "$crop")
  colours=$(convert "$after" -crop "$crop" +repage -scale 64x4\! -unique-colors -format '%w' info:)
  app_note "$wm: panel area now differs by $diff (mean, 0..1) and shows $colours colours"
  awk -v d="$diff" 'BEGIN{exit !(d > 0.08)}' || app_fail "$wm: the panel still shows over the tank"
  [ "$colours" -ge 8 ] || app_fail "$wm: no tank where the panel was"

  # The menu opens with its corner at the cursor.
  app_menu_opens_at 640 360 || app_fail "$wm: the menu did not open at the cursor"
  app_note "$wm: the menu opens at the cursor"
  xdotool key Escape
  sleep 0.5
  kill -0 "$APP_PID" 2>/dev/null || app_fail "$wm: Escape in the menu ended the program"

  food_lands_under_cursor "$wm" 900 250
  food_lands_under_cursor "$wm" 300 600

  xdotool key Escape
  app_wait_exit "$APP_PID" 10 || app_fail "$wm: Esc did not end the program"
  [ "$APP_RC" -eq 0 ] || app_fail "$wm: Esc ended with code $APP_RC"
  exit 0
fi

if [ "${1:-}" = "--scaled" ]; then
  shift
  app_setup "$@"
  app_settings_without_fish
  app_start_desktop openbox
  GDK_SCALE=2 app_start
  win=$(app_wait_window "$APP_PID" 30) || app_fail "scaled: no window appeared"
  sleep 4
  read -r x y w h < <(app_geometry "$win")
  app_note "scaled: window $x,$y ${w}x$h"
  [ "$w" -eq "$SCREEN_W" ] && [ "$h" -eq "$SCREEN_H" ] || app_fail "scaled: the window does not cover the screen"
  one=$APP_TMP/scaled-1.png; two=$APP_TMP/scaled-2.png
  app_shot "$one"; sleep 1; app_shot "$two"
  hw=$((SCREEN_W / 2)); hh=$((SCREEN_H / 2))
  for q in "0 0" "$hw 0" "0 $hh" "$hw $hh"; do
    read -r qx qy <<< "$q"
    crop="${hw}x${hh}+${qx}+${qy}"
    colours=$(convert "$two" -crop "$crop" +repage -scale 32x18\! -unique-colors -format '%w' info:)
    moved=$(app_region_changed "$one" "$two" "$crop")
    app_note "scaled: quarter at $qx,$qy: $colours colours, $moved pixels changed in a second"
    [ "$colours" -ge 8 ] || app_fail "scaled: the quarter at $qx,$qy shows no tank"
    [ "${moved:-0}" -ge 50 ] || app_fail "scaled: nothing moves in the quarter at $qx,$qy"
  done
  food_lands_under_cursor scaled 900 250
  food_lands_under_cursor scaled 300 550
  xdotool key Escape
  app_wait_exit "$APP_PID" 10 || app_fail "scaled: Esc did not end the program"
  [ "$APP_RC" -eq 0 ] || app_fail "scaled: Esc ended with code $APP_RC"
  exit 0
fi

# Each desktop on a screen of its own.
for wm in mutter openbox; do
  APP_PRIVATE_SCREEN= bash "$0" --desktop "$wm" "$@" || exit 1
done
APP_PRIVATE_SCREEN= bash "$0" --scaled "$@" || exit 1
echo PASS
