# Frame pacing: on the same screen with the same settings the window swaps its buffers as
# often as screensaver mode does (at least 0.95 times as often), counted by a swap counter
# preloaded into both, one after the other in one run; where frames are short that is the
# display's 60 a second. Screens of 640x480, 1024x768 and 1920x1080, each of its own.
source "$(dirname "$0")/lib/common.bash"
MIN_RATIO=0.95
SHORT_FRAME_FLOOR=50   # swaps a second on the small screen, where a frame takes a few ms
SETTLE_SECONDS=5
MEASURE_SECONDS=4

if [ "${1:-}" = "--screen" ]; then
  size=$2
  shift 2
  app_private_screen "$size" --screen "$size" "$@"
  app_setup "$@"
  counter=$(dirname "$PELAVO")/tests/swap_counter.so
  [ -f "$counter" ] || app_fail "no swap counter at $counter"

  # Swaps a second of one run of the program with arguments "$@"; the run is ended after.
  # The window's text overlay shows for its first 100 frames only, which the settling time
  # covers: from then on both draw the same picture (screensaver mode shows no overlay).
  measure() {
    local file=$APP_TMP/swaps.$RANDOM pid rate
    LD_PRELOAD=$counter PELAVO_SWAP_COUNT_FILE=$file "$PELAVO" "$@" > "$APP_TMP/out.pace.log" 2>&1 &
    pid=$!
    APP_PIDS+=("$pid")
    sleep "$SETTLE_SECONDS"
    kill -0 "$pid" 2>/dev/null || app_fail "$size: the program ended by itself ($*)"
    rate=$(app_swap_rate "$file" "$MEASURE_SECONDS")
    kill -TERM "$pid"
    app_wait_exit "$pid" 10 || app_fail "$size: no end on SIGTERM ($*)"
    [ "$APP_RC" -eq 0 ] || app_fail "$size: ended with code $APP_RC on SIGTERM ($*)"
    echo "$rate"
  }
  # Two runs of each, alternating, so a change in the machine's load meanwhile weighs on both.
  window1=$(measure); saver1=$(measure --root)
  window2=$(measure); saver2=$(measure --root)
  window=$(awk -v a="$window1" -v b="$window2" 'BEGIN{printf "%.1f", (a + b) / 2}')
  saver=$(awk -v a="$saver1" -v b="$saver2" 'BEGIN{printf "%.1f", (a + b) / 2}')
  ratio=$(awk -v w="$window" -v s="$saver" 'BEGIN{printf "%.3f", (s > 0) ? w / s : 0}')
  app_note "$size: window $window1 and $window2 swaps/s, screensaver mode $saver1 and $saver2, ratio $ratio"
  awk -v r="$ratio" -v m="$MIN_RATIO" 'BEGIN{exit !(r >= m)}' ||
    app_fail "$size: the window draws $ratio times as often as screensaver mode"
  if [ "$size" = 640x480 ]; then
    awk -v w="$window" -v f="$SHORT_FRAME_FLOOR" 'BEGIN{exit !(w >= f)}' ||
      app_fail "$size: short frames, yet only $window swaps a second"
  fi
  exit 0
fi

for size in 640x480 1024x768 1920x1080; do
  APP_PRIVATE_SCREEN= bash "$0" --screen "$size" "$@" || exit 1
done
echo PASS
