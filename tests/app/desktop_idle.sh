# No wasted work: while the window is unmapped (what minimising does) or completely covered
# by another window, the program draws nothing and uses almost no CPU; shown again, it draws
# again.
source "$(dirname "$0")/lib/common.bash"
app_setup "$@"
MAKE_WINDOW=$(dirname "$PELAVO")/tests/make_window
[ -x "$MAKE_WINDOW" ] || app_fail "no window tool at $MAKE_WINDOW"

HZ=$(getconf CLK_TCK)
IDLE_LIMIT_PERCENT=5    # of one core, while nothing can be seen
BUSY_FLOOR_PERCENT=15   # drawing the tank under software GL costs far more than this

# CPU used by pid $1 over $2 seconds, in percent of one core.
cpu_percent() {
  local pid=$1 seconds=$2 a b
  a=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  sleep "$seconds"
  b=$(awk '{print $14 + $15}' "/proc/$pid/stat")
  echo $(( (b - a) * 100 / (HZ * seconds) ))
}

app_start
pid=$APP_PID
win=$(app_wait_window "$pid" 30) || app_fail "no window appeared"
sleep 3
busy=$(cpu_percent "$pid" 3)
app_note "shown: ${busy}% of one core"
[ "$busy" -ge "$BUSY_FLOOR_PERCENT" ] || app_fail "the shown tank is not being drawn (${busy}%)"

# Unmapped.
xdotool windowunmap "$win"
sleep 1
idle=$(cpu_percent "$pid" 5)
app_note "unmapped: ${idle}% of one core"
[ "$idle" -lt "$IDLE_LIMIT_PERCENT" ] || app_fail "the unmapped program uses ${idle}% of one core"
kill -0 "$pid" 2>/dev/null || app_fail "the program ended while unmapped"

xdotool windowmap "$win"
sleep 2
again=$(cpu_percent "$pid" 3)
app_note "mapped again: ${again}% of one core"
[ "$again" -ge "$BUSY_FLOOR_PERCENT" ] || app_fail "frames do not resume after mapping (${again}%)"

# Covered completely by another window.
"$MAKE_WINDOW" "$SCREEN_W" "$SCREEN_H" 0 0 > "$APP_TMP/cover.txt" &
cover=$!
APP_PIDS+=("$cover")
for _ in $(seq 50); do [ -s "$APP_TMP/cover.txt" ] && break; sleep 0.1; done
sleep 1
idle=$(cpu_percent "$pid" 5)
app_note "covered: ${idle}% of one core"
[ "$idle" -lt "$IDLE_LIMIT_PERCENT" ] || app_fail "the covered program uses ${idle}% of one core"

kill -TERM "$cover"
wait "$cover" 2>/dev/null
sleep 2
again=$(cpu_percent "$pid" 3)
app_note "uncovered: ${again}% of one core"
[ "$again" -ge "$BUSY_FLOOR_PERCENT" ] || app_fail "frames do not resume after uncovering (${again}%)"

# Still a working program: it ends normally.
kill -TERM "$pid"
app_wait_exit "$pid" 10 || app_fail "the program did not end on SIGTERM"
echo PASS
