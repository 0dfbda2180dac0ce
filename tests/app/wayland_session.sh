# On a Wayland desktop the program runs as an X11 client through XWayland, the way the
# README explains: a headless Weston with XWayland is the desktop. Started with both
# WAYLAND_DISPLAY and DISPLAY it shows the tank (checked on the compositor's own screenshot),
# swaps buffers and ends on SIGTERM with code 0. A session without XWayland, and the user's
# GDK_BACKEND=wayland, run natively (no window on XWayland); a GDK_BACKEND with no window
# system the tank can draw on ends at once with a message that says what to do instead of
# the toolkit's "Unable to initialize GTK+".
#
# The pointer is not driven here: the headless compositor has no seat, and XWayland 22 dies
# on synthetic (XTest) input without one. Mouse, menu and food are the same X11 code paths
# the Xvfb tests drive.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"

for tool in weston weston-screenshooter Xwayland; do
  command -v "$tool" > /dev/null || app_fail "$tool is missing (Debian packages weston, xwayland)"
done
# A compositor of our own: its runtime directory, socket and log live in the test's folder.
RUNTIME=$APP_TMP/runtime
mkdir -m 700 "$RUNTIME"
SOCKET=pelavo-test
OUT_W=1280
OUT_H=720
(cd "$RUNTIME" && exec env -u DISPLAY -u WAYLAND_DISPLAY XDG_RUNTIME_DIR="$RUNTIME" \
  weston --backend=headless-backend.so --socket=$SOCKET --width=$OUT_W --height=$OUT_H \
  --use-pixman --idle-time=0 --debug --xwayland > "$APP_TMP/weston.log" 2>&1) &
WESTON_PID=$!
APP_PIDS+=("$WESTON_PID")
XWAYLAND=""
for _ in $(seq 100); do
  XWAYLAND=$(sed -n 's/.*xserver listening on display \(:[0-9]*\).*/\1/p' "$APP_TMP/weston.log")
  [ -n "$XWAYLAND" ] && [ -S "$RUNTIME/$SOCKET" ] && break
  sleep 0.1
done
[ -n "$XWAYLAND" ] || app_fail "Weston did not start with XWayland: $(tail -5 "$APP_TMP/weston.log")"
app_note "Weston on $SOCKET, XWayland on $XWAYLAND"
export XDG_RUNTIME_DIR=$RUNTIME WAYLAND_DISPLAY=$SOCKET

# Runs the program in the given environment changes until it leaves on its own; sets
# APP_RC and LEFT_WITH (its stderr).
run_until_exit() {
  env "$@" "$PELAVO" > "$APP_TMP/refused.log" 2>&1 &
  local pid=$!
  APP_PIDS+=("$pid")
  app_wait_exit "$pid" 20 || app_fail "the program kept running with $*"
  LEFT_WITH=$(cat "$APP_TMP/refused.log")
}

# Runs the program natively in the given environment changes: it must keep running with no
# window on XWayland, swap buffers, and end on SIGTERM with code 0.
run_natively() {
  local report=$APP_TMP/native-swaps.$RANDOM pid
  env "$@" LD_PRELOAD="$(dirname "$PELAVO")/tests/swap_counter.so" PELAVO_SWAP_COUNT_FILE="$report" \
    "$PELAVO" > "$APP_TMP/out.native.log" 2>&1 &
  pid=$!
  APP_PIDS+=("$pid")
  sleep 3
  app_wait_swaps "$report" 10 6
  kill -0 "$pid" 2>/dev/null || app_fail "the program ended with $*: $(cat "$APP_TMP/out.native.log")"
  [ -z "$(DISPLAY=$XWAYLAND xdotool search --onlyvisible --pid "$pid" 2>/dev/null)" ] ||
    app_fail "with $* the program has a window on XWayland"
  kill -TERM "$pid"
  app_wait_exit "$pid" 15 || app_fail "no end on SIGTERM with $*"
  [ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after SIGTERM with $*"
  app_note "natively with $*: $(app_swaps "$report") buffer swaps"
  [ "$(app_swaps "$report")" -ge 10 ] || app_fail "too few buffer swaps natively with $*"
}
# Wayland without XWayland: native.
run_natively -u DISPLAY
# The user's GDK_BACKEND=wayland wins over the X11 display that is there too.
run_natively DISPLAY="$XWAYLAND" GDK_BACKEND=wayland
# A GDK_BACKEND with nothing the tank draws on: refused with the reason.
run_until_exit DISPLAY="$XWAYLAND" GDK_BACKEND=broadway
[ "$APP_RC" -eq 1 ] || app_fail "GDK_BACKEND=broadway: exit code $APP_RC, not 1 ($LEFT_WITH)"
grep -q 'GDK_BACKEND=broadway' <<< "$LEFT_WITH" || app_fail "the message does not name GDK_BACKEND: $LEFT_WITH"
grep -q 'Unable to initialize GTK' <<< "$LEFT_WITH" && app_fail "the toolkit's own error shows: $LEFT_WITH"

# Both available: the tank runs through XWayland.
export DISPLAY=$XWAYLAND
REPORT=$APP_TMP/swaps.txt
LD_PRELOAD=$(dirname "$PELAVO")/tests/swap_counter.so PELAVO_SWAP_COUNT_FILE=$REPORT app_start
win=$(app_wait_window "$APP_PID" 40) || app_fail "no window on XWayland"
read -r _ _ w h < <(app_geometry "$win")
app_note "window ${w}x$h on the ${OUT_W}x$OUT_H output"
[ "$w" -eq $OUT_W ] && [ "$h" -eq $OUT_H ] || app_fail "the window is ${w}x$h, not the output's ${OUT_W}x$OUT_H"
sleep 3
app_wait_swaps "$REPORT" 10 6
# The compositor's own picture of its output (the screenshooter writes into its folder).
(cd "$APP_TMP" && weston-screenshooter) || app_fail "weston-screenshooter failed"
shot=$(ls "$APP_TMP"/wayland-screenshot-*.png 2>/dev/null | head -1)
[ -n "$shot" ] || app_fail "the compositor wrote no screenshot"
[ -n "${APP_SHOTS:-}" ] && { mkdir -p "$APP_SHOTS"; cp "$shot" "$APP_SHOTS/wayland.png"; }
[ "$(identify -format '%wx%h' "$shot")" = "${OUT_W}x$OUT_H" ] || app_fail "the screenshot is not the output's size"
# Water: blue well above red across the lower three quarters (the panel of the test
# compositor's shell may cover the top edge).
read -r blue red < <(convert "$shot" -crop "${OUT_W}x$((OUT_H * 3 / 4))+0+$((OUT_H / 4))" \
  -format '%[fx:int(255*mean.b)] %[fx:int(255*mean.r)]' info:)
app_note "screenshot mean blue $blue, red $red"
[ "$blue" -gt 60 ] && [ "$blue" -gt $((red + 20)) ] || app_fail "the compositor does not show the tank (blue $blue, red $red)"

kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 15 || app_fail "no end on SIGTERM"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after SIGTERM"
frames=$(app_swaps "$REPORT")
app_note "buffer swaps: ${frames:-none}"
# Seconds of the running tank: even a sanitizer build beside another test swaps more.
[ -n "$frames" ] && [ "$frames" -ge 10 ] || app_fail "too few buffer swaps: ${frames:-no report}"
echo PASS
