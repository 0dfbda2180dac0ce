#!/usr/bin/env bash
# Processor time against the display's refresh rate: the tank natively on one headless sway
# output of 640x360 (ten pool fish), switched between 60 Hz and 144 Hz, two runs at each in
# turn (60, 144, 60, 144), so a change in the machine's load meanwhile weighs on both. Each
# run settles (the start-up overlay has gone), then its processor time (user + system, all
# threads, from /proc/PID/stat) and its frames (the preloaded swap counter) are counted over
# the same window. The tank's motion runs in steps of 1/60 s, so a faster refresh should not
# cost more: fails when the 144 Hz runs take more than 1.15 times the processor time a
# second of the 60 Hz runs.
# Usage: bench/refresh_cpu.sh [build/pelavo]
set -u
cd "$(dirname "$0")/.."
MAX_RATIO=1.15
source bench/lib/sway_cpu.bash
cpu_setup "${1:-build/pelavo}"

# One run at $1 Hz: sets MEASURED.
measure() {
  local rate=$1 mode
  sway_as swaymsg -- output HEADLESS-1 mode --custom "${SWAY_W}x${SWAY_H}@${rate}Hz" > /dev/null ||
    app_fail "sway did not switch to $rate Hz"
  mode=$(sway_as swaymsg -r -t get_outputs | jq -r '.[] | select(.name == "HEADLESS-1") | .current_mode.refresh')
  [ "$mode" = $((rate * 1000)) ] || app_fail "the output runs at $mode mHz, not $rate Hz"
  cpu_measure "$rate Hz"
}

sway_start 60
results=()
for rate in 60 144 60 144; do
  measure "$rate"
  read -r cpu fps <<< "$MEASURED"
  echo "refresh_cpu: $rate Hz: $cpu s of processor time a second, $fps frames a second"
  results+=("$rate $cpu $fps")
done
sway_stop
printf '%s\n' "${results[@]}" | awk -v max="$MAX_RATIO" '
  { cpu[$1] += $2; fps[$1] += $3; n[$1]++ }
  END {
    c60 = cpu[60] / n[60]; c144 = cpu[144] / n[144]
    ratio = (c60 > 0) ? c144 / c60 : 0
    printf "refresh_cpu: processor time a second %.3f at 60 Hz, %.3f at 144 Hz, ratio %.2f (at most %.2f); frames a second %.1f and %.1f\n",
      c60, c144, ratio, max, fps[60] / n[60], fps[144] / n[144]
    exit !(ratio <= max)
  }' || { echo "refresh_cpu: FAIL: the 144 Hz runs cost more than $MAX_RATIO times the 60 Hz runs" >&2; exit 1; }
