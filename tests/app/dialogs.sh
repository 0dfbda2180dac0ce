# The menu's dialog commands: "  Custom Music" and "  Custom Background" show their dialogs
# centred over the tank (made once, hidden, at start-up), "  Add/Delete Fish" runs its dialog
# modally; the tank keeps running behind them.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"

app_start
win=$(app_wait_window "$APP_PID" 30) || app_fail "no window appeared"
sleep 3

cx=400; cy=300
# Chooses menu item $1 (0 = first) from a menu opened at (cx, cy).
choose() {
  app_menu_opens_at $cx $cy || app_fail "the menu does not open for item $1"
  app_menu_pick $cx $cy "$1"
  sleep 1.5
}
# Visible windows of the program other than the tank, one id a line.
others() { xdotool search --onlyvisible --pid "$APP_PID" 2>/dev/null | grep -vx "$win"; }
# Waits up to 5 s until exactly $1 dialogs are visible; prints them.
wait_others() {
  local list
  for _ in $(seq 50); do
    list=$(others)
    [ "$(echo "$list" | grep -c .)" -eq "$1" ] && break
    sleep 0.1
  done
  echo "$list"
}
# Checks that window $1 is centred on the screen (within 2 pixels).
centred() {
  local x y w h
  read -r x y w h < <(app_geometry "$1")
  app_note "dialog $2 at $x,$y ${w}x$h"
  [ $(( (2 * x + w - SCREEN_W) ** 2 <= 16 )) -eq 1 ] &&
    [ $(( (2 * y + h - SCREEN_H) ** 2 <= 16 )) -eq 1 ] || app_fail "$2 is not centred"
}

[ -z "$(others)" ] || app_fail "a dialog is visible at start"

# The fish dialog runs modally over the tank; closing it returns to the tank.
choose 4
fish=$(wait_others 1)
[ "$(echo "$fish" | grep -c .)" -eq 1 ] || app_fail "Add/Delete Fish shows no dialog"
centred "$fish" "Add/Delete Fish"
app_shot "$APP_TMP/fish.png"
xdotool windowfocus --sync "$fish" 2>/dev/null
xdotool key Escape
[ -z "$(wait_others 0)" ] || app_fail "the fish dialog did not close on Escape"
kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended with the fish dialog"

choose 5
music=$(wait_others 1)
[ "$(echo "$music" | grep -c .)" -eq 1 ] || app_fail "Custom Music shows no single dialog"
centred "$music" "Custom Music"

choose 6
both=$(wait_others 2)
[ "$(echo "$both" | grep -c .)" -eq 2 ] || app_fail "Custom Background shows no second dialog"
background=$(echo "$both" | grep -vx "$music")
centred "$background" "Custom Background"

# Choosing Custom Music again shows the same dialog, not a new one.
choose 5
[ "$(others | grep -c .)" -eq 2 ] || app_fail "a second music dialog appeared"
app_shot "$APP_TMP/dialogs.png"
kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended"

kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 10 || app_fail "no close after the dialogs"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC"
echo PASS
