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
MAX_RATIO=0.55
source bench/lib/sway_cpu.bash
cpu_setup "${1:-build/pelavo}"

# One run as $1 (window or desktop): sets MEASURED.
measure() {
  SWAY_PROGRAM_ARGS=()
  [ "$1" = desktop ] && SWAY_PROGRAM_ARGS=(--desktop)
  cpu_measure "$1"
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
