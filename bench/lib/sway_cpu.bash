# Processor-time runs of the tank natively on a headless sway output, for the benchmarks that
# compare two ways of running it in one run. Source it, then
# `cpu_setup "$1"` and, for each run, `cpu_measure LABEL` with SWAY_PROGRAM_ARGS set.
source "$(dirname "${BASH_SOURCE[0]}")/../../tests/app/lib/sway.bash"
SETTLE_SECONDS=6
MEASURE_SECONDS=10

# The sway set-up, with ten pool fish (one of each kind) in the settings.
cpu_setup() {
  sway_setup "${1:-build/pelavo}"
  { echo "[Fish Number]"; for i in 0 1 2 3 4 5 6 7 8 9; do echo "Fish$i=1"; done; } > "$SETTINGS_DIR/PelavoSet.ini"
  [ -n "${SWAY_AS[*]}" ] && chown "$SWAY_USER:" "$SETTINGS_DIR/PelavoSet.ini"
  TICKS=$(getconf CLK_TCK)
}

# The processor time of pid $1 so far, in clock ticks.
cpu_ticks() { awk '{ sub(/^.*\) /, ""); print $12 + $13 }' "/proc/$1/stat"; }

# One run on the running sway: the program settles (the start-up overlay has gone), then its
# processor time (user + system, all threads) and its frames (the preloaded swap counter) are
# counted over the same window. Sets MEASURED to "cpu-seconds-a-second frames-a-second".
cpu_measure() {
  local label=$1 c0 c1 s0 s1 t0 t1
  sway_start_program
  sleep "$SETTLE_SECONDS"
  kill -0 "$APP_PID" 2>/dev/null || app_fail "$label: the program ended by itself"
  c0=$(cpu_ticks "$APP_PID"); s0=$(app_swaps "$SWAY_SWAPS"); t0=$(date +%s.%N)
  sleep "$MEASURE_SECONDS"
  c1=$(cpu_ticks "$APP_PID"); s1=$(app_swaps "$SWAY_SWAPS"); t1=$(date +%s.%N)
  sway_end_program
  MEASURED=$(awk -v c0="$c0" -v c1="$c1" -v s0="${s0:-0}" -v s1="${s1:-0}" -v t0="$t0" -v t1="$t1" \
    -v hz="$TICKS" 'BEGIN { printf "%.3f %.1f", (c1 - c0) / hz / (t1 - t0), (s1 - s0) / (t1 - t0) }')
}
