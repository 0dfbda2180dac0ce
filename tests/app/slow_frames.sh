# Slow frames do not stretch the tank's time: on a 1920x1080 virtual X screen with every fish
# (ten of each species, the large and the slow fish), software GL draws well under 60 frames
# a second, and the text overlay that F1 shows once the frames are steady still lasts its
# 100 steps of 1/60 s (1.67 s) of wall-clock time, measured on the screen's pixels (read
# straight from the X server 25 times a second: a screenshot program takes 0.15 to 0.25 s a
# shot at this size, too coarse). The start-up overlay is measured too, from the window's
# first picture, and only reported: the first few frames of a new window under software GL
# take a quarter to a third of a second each (first use of every texture and drawing state,
# the window reaching its full size), and a frame runs at most four steps, so the tank
# loses a few tenths of a second there by design rather than jumping ahead.
source "$(dirname "$0")/lib/common.bash"
source "$(dirname "$0")/lib/overlay_timing.bash"
app_private_screen 1920x1080 "$@"
app_setup "$@"
sampler=$APP_TMP/white_pixels
cc -O2 -o "$sampler" "$(dirname "$0")/lib/white_pixels.c" -lX11 ||
  app_fail "cannot build the pixel sampler (Debian packages gcc, libx11-dev)"
counter=$(dirname "$PELAVO")/tests/swap_counter.so
[ -f "$counter" ] || app_fail "no swap counter at $counter"
CAPTURE_SECONDS=8      # from the first picture: the start-up overlay has gone by then
F1_CAPTURE_SECONDS=5
SAMPLE_MS=40
FIRST_FRAME_LIMIT=30
# Where the overlay's four lines lie on a 1920x1080 screen (their white pixels: about 13,000).
TEXT_X=576 TEXT_Y=324 TEXT_W=960 TEXT_H=345
TEXT_MIN=4500

mkdir -p "$SETTINGS_DIR"
{ echo "[Fish Number]"; for i in 0 1 2 3 4 5 6 7 8 9; do echo "Fish$i=10"; done; } > "$SETTINGS_DIR/PelavoSet.ini"

swaps=$APP_TMP/swaps
LD_PRELOAD=$counter PELAVO_SWAP_COUNT_FILE=$swaps "$PELAVO" > "$APP_TMP/out.0.log" 2>&1 &
APP_PID=$!
APP_PIDS+=("$APP_PID")
# The first frame: the swap counter makes its file at the first buffer swap.
overlay_now; t=$OVERLAY_NOW
while :; do
  overlay_now; poll=$OVERLAY_NOW
  [ -e "$swaps" ] && break
  kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended by itself"
  [ $((poll - t)) -lt $((FIRST_FRAME_LIMIT * 1000000)) ] || app_fail "no frame in $FIRST_FRAME_LIMIT s"
  sleep 0.005
done
"$sampler" $TEXT_X $TEXT_Y $TEXT_W $TEXT_H $CAPTURE_SECONDS $SAMPLE_MS "$swaps" > "$APP_TMP/counts" ||
  app_fail "the pixel sampler failed"
kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended by itself"
rate=$(app_swap_rate "$swaps" 4)
read -r verdict secs unc shots spacing frames < <(overlay_judge "$TEXT_MIN" "$poll" < "$APP_TMP/counts")
app_note "1920x1080, every fish: start-up overlay $verdict, $secs s +- $unc over $shots samples $spacing s apart, $frames frames; then $rate frames/s"

# F1 on the running tank: the overlay shows again for 100 steps.
win=$(app_wait_window "$APP_PID" 10) || app_fail "no window"
"$sampler" $TEXT_X $TEXT_Y $TEXT_W $TEXT_H $F1_CAPTURE_SECONDS $SAMPLE_MS "$swaps" > "$APP_TMP/counts.f1" &
sampler_pid=$!
sleep 0.5
xdotool key --window "$win" F1
wait "$sampler_pid" || app_fail "the pixel sampler failed"
kill -0 "$APP_PID" 2>/dev/null || app_fail "the program ended by itself"
read -r verdict secs unc shots spacing frames < <(overlay_judge "$TEXT_MIN" < "$APP_TMP/counts.f1")
app_note "1920x1080, every fish: overlay after F1 $verdict, $secs s +- $unc over $shots samples $spacing s apart, $frames frames"
kill -TERM "$APP_PID"
app_wait_exit "$APP_PID" 15 || app_fail "no end on SIGTERM"
[ "$APP_RC" -eq 0 ] || app_fail "exit code $APP_RC after SIGTERM"
case "$verdict" in
  ok) overlay_accepts "$secs" "$unc" ||
        app_fail "with slow frames the overlay showed for $secs s (+- $unc s), not $OVERLAY_SECONDS s" ;;
  open) app_fail "with slow frames the overlay still showed $secs s after it came" ;;
  *) app_fail "with slow frames the overlay was measured as: $verdict" ;;
esac
echo PASS
