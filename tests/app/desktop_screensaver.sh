# Screensaver mode: the tank is drawn into a window someone else made (by id, or through
# XSCREENSAVER_WINDOW), follows its size, holds no instance marker so the normal program
# still starts, opens no window of its own, and ends with code 0 on SIGTERM and SIGINT and
# when its window is destroyed. Wrong options and windows are refused.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"
MAKE_WINDOW=$(dirname "$PELAVO")/tests/make_window
[ -x "$MAKE_WINDOW" ] || app_fail "no window tool at $MAKE_WINDOW"

# Starts a plain black window of size $1 x $2 at $3, $4; sets WIN (its id) and WIN_PID.
make_window() {
  local out=$APP_TMP/window.$RANDOM
  "$MAKE_WINDOW" "$@" > "$out" &
  WIN_PID=$!
  APP_PIDS+=("$WIN_PID")
  for _ in $(seq 50); do [ -s "$out" ] && break; sleep 0.1; done
  WIN=$(cat "$out")
  [ -n "$WIN" ] || app_fail "the window tool printed no id"
}

# Distinct colours in a thumbnail of window $1 (a drawn tank has many; a black window one).
window_colours() {
  local shot=$APP_TMP/shot.$RANDOM.png
  import -window "$1" "$shot" 2>/dev/null || app_fail "cannot capture window $1"
  [ -n "${APP_SHOTS:-}" ] && { mkdir -p "$APP_SHOTS"; cp "$shot" "$APP_SHOTS/"; }
  convert "$shot" -scale 32x24\! -unique-colors -format '%w' info:
}
# The same for the strip of window $1 right of x = $2.
strip_colours() {
  local shot=$APP_TMP/strip.$RANDOM.png
  import -window "$1" "$shot" 2>/dev/null || app_fail "cannot capture window $1"
  convert "$shot" -crop +"$2"+0 +repage -scale 16x24\! -unique-colors -format '%w' info:
}
# True when window $1 (or its strip right of x = $2) shows the tank: at least $3 colours.
window_drawn() { [ "$(window_colours "$1")" -ge "$2" ]; }
strip_drawn() { [ "$(strip_colours "$1" "$2")" -ge "$3" ]; }
toplevel_count() { xwininfo -root -children | grep -c '^ *0x'; }

# ---- wrong options and windows ----
"$PELAVO" --window-id nonsense > "$APP_TMP/out.bad.log" 2>&1
[ $? -eq 2 ] || app_fail "a malformed window id did not end with code 2"
grep -q "not a window id" "$APP_TMP/out.bad.log" || app_fail "no message for a malformed window id"
"$PELAVO" --frobnicate > /dev/null 2>&1
[ $? -eq 2 ] || app_fail "an unknown option did not end with code 2"
timeout 10 "$PELAVO" --window-id 0x1fffff0 > "$APP_TMP/out.missing.log" 2>&1
[ $? -eq 1 ] || app_fail "a window that does not exist did not end with code 1"
[ ! -e "$SETTINGS_DIR/PelavoSet.ini" ] || app_fail "a refused start wrote the settings file"

# ---- drawing into a window given by id ----
make_window 640 480 100 100
app_note "window $WIN"
[ "$(window_colours "$WIN")" -le 2 ] || app_fail "the fresh window is not plain"
before=$(toplevel_count)
"$PELAVO" --window-id "$WIN" > "$APP_TMP/out.saver.log" 2>&1 &
saver=$!
APP_PIDS+=("$saver")
sleep 2
app_until 8 window_drawn "$WIN" 8 ||
  app_fail "the tank is not drawn into the window ($(window_colours "$WIN") colours)"
kill -0 "$saver" 2>/dev/null || app_fail "screensaver mode ended by itself"
app_note "distinct colours in the window: $(window_colours "$WIN")"
[ "$(toplevel_count)" -eq "$before" ] || app_fail "screensaver mode opened a window of its own"

# No instance marker is held: the normal program starts beside it.
app_start
normal=$APP_PID
app_wait_window "$normal" 30 > /dev/null || app_fail "the normal program does not start beside the screensaver"
kill -TERM "$normal"
app_wait_exit "$normal" 10 || app_fail "the normal program did not end"
kill -0 "$saver" 2>/dev/null || app_fail "the screensaver ended when the normal program ran"

# The tank follows the window's size: the new strip on the right is drawn too.
xdotool windowsize "$WIN" 900 480
sleep 1
app_until 6 strip_drawn "$WIN" 700 6 ||
  app_fail "the tank does not fill the resized window ($(strip_colours "$WIN" 700) colours in the new strip)"
app_note "distinct colours in the strip added by the resize: $(strip_colours "$WIN" 700)"

kill -TERM "$saver"
app_wait_exit "$saver" 5 || app_fail "SIGTERM did not end screensaver mode within 5 s"
[ "$APP_RC" -eq 0 ] || app_fail "screensaver mode ended with code $APP_RC on SIGTERM"
xwininfo -id "$WIN" > /dev/null 2>&1 || app_fail "screensaver mode destroyed the window it drew in"
grep -qi "error\|fail" "$APP_TMP/out.saver.log" && app_fail "screensaver mode printed: $(cat "$APP_TMP/out.saver.log")"

# ---- the window named by the screensaver daemon's variable (decimal), ended by SIGINT ----
make_window 320 240 800 100
XSCREENSAVER_WINDOW=$((WIN)) "$PELAVO" --root > "$APP_TMP/out.env.log" 2>&1 &
saver=$!
APP_PIDS+=("$saver")
sleep 1
app_until 8 window_drawn "$WIN" 8 || app_fail "the tank is not drawn into the daemon's window"
kill -INT "$saver"
app_wait_exit "$saver" 5 || app_fail "SIGINT did not end screensaver mode"
[ "$APP_RC" -eq 0 ] || app_fail "screensaver mode ended with code $APP_RC on SIGINT"

# ---- the window goes away: the program ends by itself ----
"$PELAVO" --window-id "$WIN" > "$APP_TMP/out.gone.log" 2>&1 &
saver=$!
APP_PIDS+=("$saver")
# Time to start up and draw (the window still shows the last program's picture).
sleep $((3 * APP_WAIT_FACTOR))
kill -TERM "$WIN_PID"
app_wait_exit "$saver" 5 || app_fail "screensaver mode kept running after its window was destroyed"
[ "$APP_RC" -eq 0 ] || app_fail "screensaver mode ended with code $APP_RC when its window went away"

leftovers=$(find "$SETTINGS_DIR" -name '*.ad' -o -name '*.bmp' -o -name '*.wav')
[ -z "$leftovers" ] || app_fail "unpacked assets left behind: $leftovers"
echo PASS
