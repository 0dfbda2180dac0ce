#!/usr/bin/env bash
# Processor time of the desktop background against the full-screen window: the tank
# natively on one headless sway output of 640x360 at 60 Hz (ten pool fish), as the
# full-screen window and as the background (--desktop, 30 frames a second), two runs of each
# in turn (window, background, window, background), so a change in the machine's load
# meanwhile weighs on both. Each run settles (the start-up overlay has gone), then its
# processor time (user + system, all threads, from /proc/PID/stat) and its frames (the
# preloaded swap counter) are counted over the same window. Fails when the background takes
# more than 0.55 times the window's processor time a second.
# Usage: bench/desktop_cpu.sh [build/pelavo]
set -u
cd "$(dirname "$0")/.."
source tests/app/lib/sway.bash
MAX_RATIO=0.55
SETTLE_SECONDS=6
MEASURE_SECONDS=10
sway_setup "${1:-build/pelavo}"
{ echo "[Fish Number]"; for i in 0 1 2 3 4 5 6 7 8 9; do echo "Fish$i=1"; done; } > "$SETTINGS_DIR/PelavoSet.ini"
[ -n "${SWAY_AS[*]}" ] && chown "$SWAY_USER:" "$SETTINGS_DIR/PelavoSet.ini"
TICKS=$(getconf CLK_TCK)

# The processor time of pid $1 so far, in clock ticks.
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }

# One run as $1 (window or desktop): sets MEASURED to "cpu-seconds-a-second frames-a-second".
measure() {
  local kind=$1 c0 c1 s0 s1 t0 t1
  SWAY_PROGRAM_ARGS=()
  [ "$kind" = desktop ] && SWAY_PROGRAM_ARGS=(--desktop)
  sway_start_program
  sleep "$SETTLE_SECONDS"
  kill -0 "$APP_PID" 2>/dev/null || app_fail "$kind: the program ended by itself"
  c0=$(cpu_ticks "$APP_PID"); s0=$(app_swaps "$SWAY_SWAPS"); t0=$(date +%s.%N)
  sleep "$MEASURE_SECONDS"
  c1=$(cpu_ticks "$APP_PID"); s1=$(app_swaps "$SWAY_SWAPS"); t1=$(date +%s.%N)
  sway_end_program
  MEASURED=$(awk -v c0="$c0" -v c1="$c1" -v s0="${s0:-0}" -v s1="${s1:-0}" -v t0="$t0" -v t1="$t1" \
    -v hz="$TICKS" 'BEGIN { printf "%.3f %.1f", (c1 - c0) / hz / (t1 - t0), (s1 - s0) / (t1 - t0) }')
}

sway_start 60
results=()
for kind in window desktop window desktop; do
  measure "$kind"
  read -r cpu fps <<< "$MEASURED"
  echo "desktop_cpu: $kind: $cpu s of processor time a second, $fps frames a second"
  results+=("$kind $cpu $fps")
done
sway_stop
printf '%s\n' "${results[@]}" | awk -v max="$MAX_RATIO" '
  { cpu[$1] += $2; fps[$1] += $3; n[$1]++ }
  END {
    w = cpu["window"] / n["window"]; d = cpu["desktop"] / n["desktop"]
    ratio = (w > 0) ? d / w : 0
    printf "desktop_cpu: processor time a second %.3f as the window, %.3f as the background, ratio %.2f (at most %.2f); frames a second %.1f and %.1f\n",
      w, d, ratio, max, fps["window"] / n["window"], fps["desktop"] / n["desktop"]
    exit !(ratio > 0 && ratio <= max)
  }' || { echo "desktop_cpu: FAIL: the background costs more than $MAX_RATIO times the window" >&2; exit 1; }
